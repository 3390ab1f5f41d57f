#include "platform/comm/line_settings.h"

#include <array>
#include <utility>

namespace platform::comm {
namespace {

constexpr BYTE kMarkParity = 3;
constexpr BYTE kSpaceParity = 4;

constexpr std::array<std::pair<DWORD, speed_t>, 30> kSpeeds{{
    {50, B50},           {75, B75},           {110, B110},         {134, B134},
    {150, B150},         {200, B200},         {300, B300},         {600, B600},
    {1200, B1200},       {1800, B1800},       {2400, B2400},       {4800, B4800},
    {9600, B9600},       {19200, B19200},     {38400, B38400},     {57600, B57600},
    {115200, B115200},   {230400, B230400},   {460800, B460800},   {500000, B500000},
    {576000, B576000},   {921600, B921600},   {1000000, B1000000}, {1152000, B1152000},
    {1500000, B1500000}, {2000000, B2000000}, {2500000, B2500000}, {3000000, B3000000},
    {3500000, B3500000}, {4000000, B4000000},
}};

std::optional<tcflag_t> CharacterSize(BYTE byte_size) {
    switch (byte_size) {
        case 5:
            return CS5;
        case 6:
            return CS6;
        case 7:
            return CS7;
        case 8:
            return CS8;
        default:
            return std::nullopt;
    }
}

std::optional<tcflag_t> ParityFlags(BYTE parity) {
    switch (parity) {
        case NOPARITY:
            return 0;
        case ODDPARITY:
            return PARENB | PARODD;
        case EVENPARITY:
            return PARENB;
        case kMarkParity:
            return PARENB | CMSPAR | PARODD;
        case kSpaceParity:
            return PARENB | CMSPAR;
        default:
            return std::nullopt;
    }
}

std::optional<tcflag_t> StopBitFlags(BYTE stop_bits) {
    switch (stop_bits) {
        case ONESTOPBIT:
            return 0;
        case TWOSTOPBITS:
            return CSTOPB;
        default:
            return std::nullopt;  // 1.5 stop bits have no terminal setting
    }
}

constexpr tcflag_t kFramingFlags = CSIZE | PARENB | PARODD | CMSPAR | CSTOPB;

}  // namespace

std::optional<speed_t> SpeedFromBaudRate(DWORD baud_rate) {
    for (const auto& [rate, speed] : kSpeeds) {
        if (rate == baud_rate) {
            return speed;
        }
    }
    return std::nullopt;
}

std::optional<termios> TermiosFromDcb(const DCB& dcb, const termios& current) {
    const auto speed = SpeedFromBaudRate(dcb.BaudRate);
    const auto size = CharacterSize(dcb.ByteSize);
    const auto parity = ParityFlags(dcb.Parity);
    const auto stop_bits = StopBitFlags(dcb.StopBits);
    const bool unsupported =
        dcb.fOutxDsrFlow || dcb.fDsrSensitivity || dcb.fNull ||
        (dcb.fDtrControl != DTR_CONTROL_DISABLE && dcb.fDtrControl != DTR_CONTROL_ENABLE);
    if (!speed || !size || !parity || !stop_bits || unsupported) {
        return std::nullopt;
    }

    termios t = current;
    // Bytes pass untouched both ways: no echo, no line editing, no signals from ^C,
    // no CR/LF translation, no XON/XOFF unless asked for below.
    cfmakeraw(&t);
    t.c_iflag &= ~(IXOFF | IXANY | INPCK | IGNPAR | IMAXBEL);
    t.c_cflag &= ~(kFramingFlags | CRTSCTS);
    t.c_cflag |= CLOCAL | CREAD | *size | *parity | *stop_bits;
    if (dcb.fParity && *parity != 0) {
        t.c_iflag |= INPCK;
    }
    if (dcb.fOutxCtsFlow) {
        t.c_cflag |= CRTSCTS;
    }
    if (dcb.fOutX) {
        t.c_iflag |= IXON;
    }
    if (dcb.fInX) {
        t.c_iflag |= IXOFF;
    }
    // The descriptor is non-blocking; VMIN 1 keeps "nothing there" (EAGAIN) apart from
    // "far end gone" (0) in read().
    t.c_cc[VMIN] = 1;
    t.c_cc[VTIME] = 0;
    cfsetispeed(&t, *speed);
    cfsetospeed(&t, *speed);
    return t;
}

bool SpeedMatches(const termios& wanted, const termios& actual) {
    return cfgetospeed(&actual) == cfgetospeed(&wanted) &&
           cfgetispeed(&actual) == cfgetispeed(&wanted);
}

}  // namespace platform::comm
