// Reads on a real pseudo-terminal: time-outs, early bytes, byte transparency, signals,
// and a far end that goes away.

#include <pthread.h>
#include <signal.h>

#include <atomic>
#include <limits>
#include <thread>

#include "tests/platform/comm/comm_fixture.h"

namespace comm_test {
namespace {

constexpr DWORD kMaxDword = std::numeric_limits<DWORD>::max();

struct ReadResult {
    BOOL ok = FALSE;
    std::string bytes;
    std::chrono::milliseconds took{};
};

ReadResult Read(HANDLE port, DWORD count) {
    std::string buffer(count, '\0');
    DWORD got = kMaxDword;
    const auto start = Clock::now();
    ReadResult result;
    result.ok = ReadFile(port, buffer.data(), count, &got, nullptr);
    result.took = Since(start);
    buffer.resize(got == kMaxDword ? 0 : got);
    result.bytes = buffer;
    EXPECT_NE(got, kMaxDword) << "count of bytes read not reported";
    return result;
}

// The one test that sits out the program's full 2 s limit.
TEST_F(CommTest, SilentLineEndsAOneByteReadAfterTwoSecondsWithNoByte) {
    Port port = OpenLine(ProgramTimeouts());
    const ReadResult r = Read(port.get(), 1);
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.bytes, "");
    EXPECT_GE(r.took, 1990ms);
    EXPECT_LT(r.took, 3000ms);
}

TEST_F(CommTest, ByteArrivingDuringTheWaitEndsItAtOnce) {
    Port port = OpenLine(ProgramTimeouts());
    std::thread device([&] {
        std::this_thread::sleep_for(100ms);
        line.Send("V");
    });
    const ReadResult r = Read(port.get(), 1);
    device.join();
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.bytes, "V");
    EXPECT_LT(r.took, 1500ms);  // far from the 2 s limit
}

TEST_F(CommTest, ControlBytesPassUnchangedInBothDirections) {
    const std::string bytes("\x00\x0D\x0A\x11\x13\x03\xFF", 7);
    MakeLineCooked();  // configuring must undo every translation, not rely on a raw start
    Port port = OpenLine(Timeouts(0, 0, 1000));

    line.Send(bytes);
    const ReadResult r = Read(port.get(), 7);
    EXPECT_EQ(r.bytes, bytes);

    DWORD written = 0;
    EXPECT_TRUE(WriteFile(port.get(), bytes.data(), 7, &written, nullptr));
    EXPECT_EQ(written, 7u);
    EXPECT_EQ(line.Receive(8, 300ms), bytes);  // nothing added, nothing echoed
}

TEST_F(CommTest, TotalLimitGrowsWithTheBytesAskedFor) {
    Port port = OpenLine(Timeouts(0, 100, 100));  // 4 bytes: 100 x 4 + 100 ms
    const ReadResult r = Read(port.get(), 4);
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.bytes, "");
    EXPECT_GE(r.took, 495ms);
}

TEST_F(CommTest, GapAfterTheLastByteEndsAMultiByteRead) {
    Port port = OpenLine(Timeouts(100, 0, 5000));
    line.Send("abc");
    const ReadResult r = Read(port.get(), 10);
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.bytes, "abc");
    EXPECT_LT(r.took, 2500ms);  // the 5 s total would be far later
}

TEST_F(CommTest, PeerThatKeepsSendingCannotHoldAReadPastItsTotal) {
    Port port = OpenLine(Timeouts(0, 0, 300));
    std::atomic<bool> stop{false};
    std::thread chatter([&] {
        while (!stop) {
            line.Send("~");
            std::this_thread::sleep_for(10ms);
        }
    });
    const ReadResult r = Read(port.get(), 1000);
    stop = true;
    chatter.join();
    EXPECT_TRUE(r.ok);
    EXPECT_FALSE(r.bytes.empty());
    EXPECT_LT(r.bytes.size(), 1000u);
    EXPECT_LT(r.took, 1500ms);  // 1000 bytes at this pace would take 10 s
}

TEST_F(CommTest, BytesArrivingAfterATimeoutStartTheNextRead) {
    Port port = OpenLine(Timeouts(0, 0, 200));
    EXPECT_EQ(Read(port.get(), 1).bytes, "");
    line.Send("0\n");
    EXPECT_EQ(Read(port.get(), 2).bytes, "0\n");
}

TEST_F(CommTest, FirstByteModeReturnsAsSoonAsAnyByteIsThere) {
    Port port = OpenLine(Timeouts(kMaxDword, kMaxDword, 3000));
    std::thread device([&] {
        std::this_thread::sleep_for(100ms);
        line.Send("F");
    });
    const ReadResult r = Read(port.get(), 5);
    device.join();
    EXPECT_EQ(r.bytes, "F");
    EXPECT_LT(r.took, 2000ms);
}

TEST_F(CommTest, ImmediateModeTakesOnlyWhatIsAlreadyThere) {
    Port port = OpenLine(Timeouts(kMaxDword, 0, 0));
    EXPECT_EQ(Read(port.get(), 3).bytes, "");
    line.Send("xy");
    std::string got;
    for (int tries = 0; tries < 100 && got.size() < 2; ++tries) {  // the pty hands bytes over
        got += Read(port.get(), 3).bytes;                          // a moment after Send
        std::this_thread::sleep_for(5ms);
    }
    EXPECT_EQ(got, "xy");
}

std::atomic<int> signals_caught{0};

TEST_F(CommTest, SignalsDoNotShortenTheWait) {
    struct sigaction action {};
    action.sa_handler = [](int) { ++signals_caught; };
    sigemptyset(&action.sa_mask);
    action.sa_flags = 0;  // no SA_RESTART: the wait really is interrupted
    struct sigaction previous {};
    ASSERT_EQ(::sigaction(SIGUSR1, &action, &previous), 0);
    signals_caught = 0;

    Port port = OpenLine(Timeouts(0, 0, 400));
    const pthread_t reader = ::pthread_self();
    std::thread nuisance([reader] {
        for (int i = 0; i < 3; ++i) {
            std::this_thread::sleep_for(60ms);
            ::pthread_kill(reader, SIGUSR1);
        }
    });
    const ReadResult r = Read(port.get(), 1);
    const int caught_during_read = signals_caught;
    nuisance.join();
    ::sigaction(SIGUSR1, &previous, nullptr);

    EXPECT_GE(caught_during_read, 1);  // signals sent close together may merge into one
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.bytes, "");
    EXPECT_GE(r.took, 395ms);
}

TEST_F(CommTest, FarEndClosedDuringAReadEndsItPromptly) {
    Port port = OpenLine(ProgramTimeouts());
    std::thread unplug([&] {
        std::this_thread::sleep_for(100ms);
        line.CloseMaster();
    });
    const ReadResult r = Read(port.get(), 1);
    unplug.join();
    EXPECT_EQ(r.bytes, "");
    EXPECT_LT(r.took, 1500ms);
    EXPECT_FALSE(r.ok);

    // Every later read and write fails at once too, rather than waiting or spinning.
    const ReadResult again = Read(port.get(), 1);
    EXPECT_EQ(again.bytes, "");
    EXPECT_LT(again.took, 1000ms);
    DWORD written = 9;
    EXPECT_FALSE(WriteFile(port.get(), "X", 1, &written, nullptr));
    EXPECT_EQ(written, 0u);
    EXPECT_TRUE(port.Close());  // the port can still be given back
}

}  // namespace
}  // namespace comm_test
