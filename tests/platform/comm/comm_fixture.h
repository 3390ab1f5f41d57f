#pragma once
// What every serial test starts from: a private configuration home whose port map masks
// COM1-COM32, one pseudo-terminal mapped as COM40, and ports opened as the program opens
// them and closed when the test ends.

#include <gtest/gtest.h>
#include <termios.h>

#include <chrono>
#include <string>

#include "platform/comm/comm.h"
#include "tests/support/config_home.h"
#include "tests/support/pty_pair.h"

namespace comm_test {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

// Closes its handle when it goes out of scope.
class Port {
  public:
    explicit Port(HANDLE handle = INVALID_HANDLE_VALUE) : handle_(handle) {}
    Port(Port&& other) noexcept : handle_(other.handle_) { other.handle_ = INVALID_HANDLE_VALUE; }
    Port& operator=(Port&&) = delete;
    ~Port() {
        if (valid()) {
            CloseHandle(handle_);
        }
    }
    HANDLE get() const { return handle_; }
    bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    BOOL Close() {
        const BOOL closed = CloseHandle(handle_);
        handle_ = INVALID_HANDLE_VALUE;
        return closed;
    }

  private:
    HANDLE handle_;
};

// "\\.\" and the name, as the program forms device paths.
inline std::string DevicePath(const std::string& name) {
    return R"(\\.\)" + name;
}

// Opens as the program does: read and write, exclusive, existing device only.
inline Port OpenPort(const std::string& name) {
    return Port(CreateFileA(DevicePath(name).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                            OPEN_EXISTING, 0, nullptr));
}

// 9600 baud, 8 data bits, no parity, one stop bit, DTR raised, no flow control.
inline DCB ProgramLineSettings() {
    DCB dcb;
    dcb.DCBlength = sizeof(DCB);
    dcb.BaudRate = 9600;
    dcb.ByteSize = 8;
    dcb.Parity = NOPARITY;
    dcb.StopBits = ONESTOPBIT;
    dcb.fBinary = 1;
    dcb.fDtrControl = DTR_CONTROL_ENABLE;
    return dcb;
}

inline COMMTIMEOUTS Timeouts(DWORD interval, DWORD multiplier, DWORD constant) {
    COMMTIMEOUTS t;
    t.ReadIntervalTimeout = interval;
    t.ReadTotalTimeoutMultiplier = multiplier;
    t.ReadTotalTimeoutConstant = constant;
    return t;
}

// One-byte reads give up after 1000 x 1 + 1000 ms.
inline COMMTIMEOUTS ProgramTimeouts() {
    return Timeouts(1000, 1000, 1000);
}

inline std::chrono::milliseconds Since(Clock::time_point start) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start);
}

class CommTest : public ::testing::Test {
  protected:
    static constexpr const char* kLineName = "COM40";

    void SetUp() override {
        home.MaskSerialConsolePorts();
        home.MapPort(kLineName, line.SlavePath());
    }

    // The line opened and configured as the program does, with the given read time-outs.
    Port OpenLine(COMMTIMEOUTS timeouts = ProgramTimeouts()) {
        Port port = OpenPort(kLineName);
        EXPECT_TRUE(port.valid()) << "error " << GetLastError();
        DCB dcb = ProgramLineSettings();
        EXPECT_TRUE(SetCommState(port.get(), &dcb)) << "error " << GetLastError();
        EXPECT_TRUE(SetCommTimeouts(port.get(), &timeouts));
        return port;
    }

    // Leaves the line as a program that wanted a cooked, echoing 38400 line would leave it,
    // so that a test sees what configuring the port changes.
    void MakeLineCooked() {
        termios t{};
        ASSERT_EQ(::tcgetattr(line.SlaveFd(), &t), 0);
        t.c_iflag |= ICRNL | IXON | IXOFF;
        t.c_oflag |= OPOST | ONLCR;
        t.c_lflag |= ICANON | ECHO | ISIG | IEXTEN;
        t.c_cflag |= CSTOPB | CRTSCTS | PARODD;
        t.c_cflag &= ~(CLOCAL | CREAD);
        ::cfsetispeed(&t, B38400);
        ::cfsetospeed(&t, B38400);
        ASSERT_EQ(::tcsetattr(line.SlaveFd(), TCSANOW, &t), 0);
    }

    test_support::ScopedConfigHome home;
    test_support::PtyPair line;
};

}  // namespace comm_test
