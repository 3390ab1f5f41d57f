// Line settings applied to a real pseudo-terminal and read back from the kernel.

#include <termios.h>

#include "tests/platform/comm/comm_fixture.h"

namespace comm_test {
namespace {

struct SettingsCase {
    const char* label;
    DWORD baud;
    speed_t speed;
    BYTE stop_bits;
    BYTE parity;
    bool xon_xoff;
    bool cts_flow;
};

void PrintTo(const SettingsCase& c, std::ostream* os) {
    *os << c.label;
}

class LineSettingsTest : public CommTest, public ::testing::WithParamInterface<SettingsCase> {};

// A pseudo-terminal keeps speed, stop bits, odd/even and flow control as given; it always
// reports 8 bits without parity, so size and parity enable are only seen on real UARTs.
TEST_P(LineSettingsTest, AreReadBackFromTheKernel) {
    MakeLineCooked();
    Port port = OpenPort(kLineName);
    ASSERT_TRUE(port.valid());
    const SettingsCase& c = GetParam();
    DCB dcb = ProgramLineSettings();
    dcb.BaudRate = c.baud;
    dcb.StopBits = c.stop_bits;
    dcb.Parity = c.parity;
    dcb.fOutX = dcb.fInX = c.xon_xoff;
    dcb.fOutxCtsFlow = c.cts_flow;
    ASSERT_TRUE(SetCommState(port.get(), &dcb)) << "error " << GetLastError();

    termios t{};
    ASSERT_EQ(::tcgetattr(line.SlaveFd(), &t), 0);
    EXPECT_EQ(::cfgetispeed(&t), c.speed);
    EXPECT_EQ(::cfgetospeed(&t), c.speed);
    EXPECT_EQ((t.c_cflag & CSIZE), tcflag_t{CS8});
    EXPECT_EQ((t.c_cflag & CSTOPB) != 0, c.stop_bits == TWOSTOPBITS);
    EXPECT_EQ((t.c_cflag & PARODD) != 0, c.parity == ODDPARITY);
    EXPECT_EQ((t.c_cflag & CRTSCTS) != 0, c.cts_flow);
    EXPECT_EQ((t.c_iflag & IXON) != 0, c.xon_xoff);
    EXPECT_EQ((t.c_iflag & IXOFF) != 0, c.xon_xoff);
    EXPECT_EQ(t.c_cflag & (CLOCAL | CREAD), tcflag_t{CLOCAL | CREAD});
    // Raw: no line editing, echo, signals, or CR/LF translation either way.
    EXPECT_EQ(t.c_lflag & (ICANON | ECHO | ECHONL | ISIG | IEXTEN), 0u);
    EXPECT_EQ(t.c_iflag & (ICRNL | INLCR | IGNCR | ISTRIP | IXANY), 0u);
    EXPECT_EQ(t.c_oflag & OPOST, 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Table, LineSettingsTest,
    ::testing::Values(
        SettingsCase{"program_9600_8N1", 9600, B9600, ONESTOPBIT, NOPARITY, false, false},
        SettingsCase{"two_stop_bits_xon_xoff", 19200, B19200, TWOSTOPBITS, NOPARITY, true, false},
        SettingsCase{"odd_parity_rts_cts", 115200, B115200, ONESTOPBIT, ODDPARITY, false, true},
        SettingsCase{"even_parity_slow", 1200, B1200, ONESTOPBIT, EVENPARITY, false, false}),
    [](const auto& info) { return std::string(info.param.label); });

struct RefusedCase {
    const char* label;
    void (*change)(DCB&);
};

void PrintTo(const RefusedCase& c, std::ostream* os) {
    *os << c.label;
}

class RefusedSettingsTest : public CommTest, public ::testing::WithParamInterface<RefusedCase> {};

TEST_P(RefusedSettingsTest, FailAndLeaveTheLineAsItWas) {
    MakeLineCooked();
    termios before{};
    ASSERT_EQ(::tcgetattr(line.SlaveFd(), &before), 0);
    Port port = OpenPort(kLineName);
    ASSERT_TRUE(port.valid());
    DCB dcb = ProgramLineSettings();
    GetParam().change(dcb);
    EXPECT_FALSE(SetCommState(port.get(), &dcb));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
    termios after{};
    ASSERT_EQ(::tcgetattr(line.SlaveFd(), &after), 0);
    EXPECT_EQ(::cfgetospeed(&after), ::cfgetospeed(&before));
    EXPECT_EQ(after.c_lflag, before.c_lflag);
    EXPECT_EQ(after.c_iflag, before.c_iflag);
}

INSTANTIATE_TEST_SUITE_P(
    Table, RefusedSettingsTest,
    ::testing::Values(RefusedCase{"odd_speed", [](DCB& d) { d.BaudRate = 12345; }},
                      RefusedCase{"no_speed", [](DCB& d) { d.BaudRate = 0; }},
                      RefusedCase{"nine_bits", [](DCB& d) { d.ByteSize = 9; }},
                      RefusedCase{"four_bits", [](DCB& d) { d.ByteSize = 4; }},
                      RefusedCase{"unknown_parity", [](DCB& d) { d.Parity = 5; }},
                      RefusedCase{"one_and_a_half_stop_bits", [](DCB& d) { d.StopBits = 1; }},
                      RefusedCase{"dsr_flow", [](DCB& d) { d.fOutxDsrFlow = 1; }},
                      RefusedCase{"dsr_sensitivity", [](DCB& d) { d.fDsrSensitivity = 1; }},
                      RefusedCase{"discard_nul", [](DCB& d) { d.fNull = 1; }},
                      RefusedCase{"dtr_handshake", [](DCB& d) { d.fDtrControl = 2; }}),
    [](const auto& info) { return std::string(info.param.label); });

TEST_F(CommTest, CharacterDevicesThatAreNoTerminalsCannotBeConfigured) {
    for (const char* device : {"/dev/null", "/dev/zero", "/dev/full"}) {
        SCOPED_TRACE(device);
        Port port = OpenPort(device);
        ASSERT_TRUE(port.valid()) << "error " << GetLastError();
        DCB dcb = ProgramLineSettings();
        EXPECT_FALSE(SetCommState(port.get(), &dcb));
        EXPECT_NE(GetLastError(), 0u);
    }
}

TEST_F(CommTest, LineWhoseFarEndIsGoneCannotBeConfigured) {
    Port port = OpenPort(kLineName);
    ASSERT_TRUE(port.valid());
    line.CloseMaster();
    DCB dcb = ProgramLineSettings();
    EXPECT_FALSE(SetCommState(port.get(), &dcb));
}

TEST_F(CommTest, MissingSettingsAreRefused) {
    Port port = OpenPort(kLineName);
    ASSERT_TRUE(port.valid());
    EXPECT_FALSE(SetCommState(port.get(), nullptr));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
    EXPECT_FALSE(SetCommTimeouts(port.get(), nullptr));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
}

}  // namespace
}  // namespace comm_test
