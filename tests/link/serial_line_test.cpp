// The byte-level link on real pseudo-terminals: the test plays the timer's end of the line.

#include "link/serial_line.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "tests/support/config_home.h"
#include "tests/support/pty_pair.h"

namespace {

using namespace std::chrono_literals;
using test_support::PtyPair;
using test_support::ScopedConfigHome;

class SerialLine : public testing::Test {
  protected:
    SerialLine() {
        home_.MaskSerialConsolePorts();
        home_.MapPort("COM7", line_.SlavePath());
        EXPECT_EQ(timerlink::OpenPort("COM7", port_), timerlink::OpenResult::Opened);
        EXPECT_TRUE(timerlink::ConfigurePort(port_));
    }
    ~SerialLine() override { CloseHandle(port_); }

    ScopedConfigHome home_;
    PtyPair line_;
    HANDLE port_ = INVALID_HANDLE_VALUE;
};

struct LineCase {
    const char* name;
    std::string sent;
    std::string expected;  // raw bytes of the line
    friend void PrintTo(const LineCase& c, std::ostream* os) { *os << c.name; }
};

class ReadLineCases : public SerialLine, public testing::WithParamInterface<LineCase> {};

TEST_P(ReadLineCases, DropsCarriageReturnsAndEndsAtLineFeed) {
    line_.Send(GetParam().sent);
    const CString reply = timerlink::ReadLine(port_);
    EXPECT_EQ(reply.Bytes(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Replies, ReadLineCases,
    testing::Values(LineCase{"CrLf", "T015\r\n", "T015"}, LineCase{"CrInside", "A\rB\n", "AB"},
                    LineCase{"CrOnly", "\r\r\n", ""}, LineCase{"LfOnly", "F1\n", "F1"},
                    LineCase{"ControlBytes", "\x11\x13\x03\xff\n", "\x11\x13\x03\xff"},
                    LineCase{"NulKept", std::string("X\0Y\n", 4), std::string("X\0Y", 3)},
                    LineCase{"LongestLine", std::string(1024, 'A') + "\n", std::string(1024, 'A')},
                    LineCase{"TooLong", std::string(1025, 'A') + "\n", ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SerialLine, LineBeginningWithNulCountsAsEmpty) {
    line_.Send(std::string("\0AB\n", 4));
    const CString reply = timerlink::ReadLine(port_);
    EXPECT_EQ(reply.GetLength(), 3);
    EXPECT_TRUE(reply.IsEmpty());
}

TEST_F(SerialLine, OnlyTheFirstLineIsReadAndTheRestWaits) {
    line_.Send("F1\r\nG0\r\n");
    EXPECT_STREQ(timerlink::ReadLine(port_), "F1");
    EXPECT_STREQ(timerlink::ReadLine(port_), "G0");
}

TEST_F(SerialLine, SilenceAfterPartialBytesAbandonsTheLineAndLateBytesStartTheNext) {
    line_.Send("F1");
    const auto start = std::chrono::steady_clock::now();
    EXPECT_STREQ(timerlink::ReadLine(port_), "");
    const auto waited = std::chrono::steady_clock::now() - start;
    // The read limit is 2 s per byte; the line is given up after one silent read.
    EXPECT_GE(waited, 1900ms);
    line_.Send("0\n");
    EXPECT_STREQ(timerlink::ReadLine(port_), "0");
}

TEST_F(SerialLine, VanishedDeviceEndsTheReadEmpty) {
    line_.Send("T0");
    line_.CloseMaster();
    EXPECT_STREQ(timerlink::ReadLine(port_), "");
    EXPECT_STREQ(timerlink::SendCommand(port_, "T?"), "");
}

TEST_F(SerialLine, SendCommandWritesExactlyTheCommandBytes) {
    for (const char* command : {"T?", "V", "yub", "L00001011", "T005"}) {
        line_.Send("ok\r\n");
        EXPECT_STREQ(timerlink::SendCommand(port_, command), "ok");
        const std::string heard = line_.Receive(std::string(command).size() + 1, 100ms);
        EXPECT_EQ(heard, command);
    }
}

TEST(SerialPorts, DiscoveryListsMappedPortsBusyOnesIncludedInProbeOrder) {
    ScopedConfigHome home;
    home.MaskSerialConsolePorts();
    PtyPair one, two, ten, forty;
    home.MapPort("COM2", two.SlavePath());
    home.MapPort("COM10", ten.SlavePath());
    home.MapPort("COM1", one.SlavePath());
    home.MapPort("com40", forty.SlavePath());  // names are taken without case
    home.MaskPort("COM3");
    HANDLE held = INVALID_HANDLE_VALUE;
    ASSERT_EQ(timerlink::OpenPort("COM10", held), timerlink::OpenResult::Opened);

    std::vector<std::string> ours;
    for (const CString& port : timerlink::DiscoverPorts()) {
        const std::string name(port.Text());
        if (name == "COM1" || name == "COM2" || name == "COM3" || name == "COM10" ||
            name == "COM40")
            ours.push_back(name);
        // Real adapters may be present; nothing else may show up.
        const int n = std::stoi(name.substr(3));
        EXPECT_TRUE(n == 1 || n == 2 || n == 10 || n > 32) << name;
    }
    EXPECT_EQ(ours, (std::vector<std::string>{"COM1", "COM2", "COM10", "COM40"}));
    CloseHandle(held);
}

TEST(SerialPorts, OpeningClassifiesWhatIsBehindTheName) {
    ScopedConfigHome home;
    home.MaskSerialConsolePorts();
    PtyPair line;
    home.MapPort("COM4", line.SlavePath());
    home.MapPort("COM5", "/dev/null");

    HANDLE first = INVALID_HANDLE_VALUE, second = INVALID_HANDLE_VALUE;
    EXPECT_EQ(timerlink::OpenPort("COM4", first), timerlink::OpenResult::Opened);
    EXPECT_EQ(timerlink::OpenPort("COM4", second), timerlink::OpenResult::Busy);
    EXPECT_EQ(second, INVALID_HANDLE_VALUE);
    EXPECT_TRUE(timerlink::ConfigurePort(first));
    CloseHandle(first);

    HANDLE other = INVALID_HANDLE_VALUE;
    EXPECT_EQ(timerlink::OpenPort("COM6", other), timerlink::OpenResult::Absent);
    EXPECT_EQ(timerlink::OpenPort("COM3", other), timerlink::OpenResult::Absent);  // masked
    // /dev/null opens, but refuses line settings: it is no serial port.
    ASSERT_EQ(timerlink::OpenPort("COM5", other), timerlink::OpenResult::Opened);
    EXPECT_FALSE(timerlink::ConfigurePort(other));
    CloseHandle(other);
}

}  // namespace
