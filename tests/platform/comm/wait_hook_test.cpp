// The wait hook: called between slices of a long wait, on the waiting thread, never
// re-entered, and gone once removed.

#include "platform/comm/wait_hook.h"

#include <algorithm>
#include <thread>
#include <vector>

#include "tests/platform/comm/comm_fixture.h"

namespace comm_test {
namespace {

using platform::comm::SetWaitHook;

class WaitHookTest : public CommTest {
  protected:
    void TearDown() override { SetWaitHook({}); }
};

TEST_F(WaitHookTest, IsCalledOnTheWaitingThreadThroughoutALongWait) {
    Port port = OpenLine(Timeouts(0, 0, 400));
    std::vector<std::thread::id> callers;
    SetWaitHook([&] { callers.push_back(std::this_thread::get_id()); });
    BYTE byte = 0;
    DWORD got = 9;
    const auto start = Clock::now();
    EXPECT_TRUE(ReadFile(port.get(), &byte, 1, &got, nullptr));
    EXPECT_EQ(got, 0u);
    EXPECT_GE(Since(start), 395ms);  // slicing does not shorten the wait
    EXPECT_GE(callers.size(), 4u);   // about one call per 40 ms
    for (const auto& id : callers) {
        EXPECT_EQ(id, std::this_thread::get_id());
    }
}

TEST_F(WaitHookTest, WaitSeesBytesThatArriveWhileTheHookRuns) {
    Port port = OpenLine(ProgramTimeouts());
    int calls = 0;
    SetWaitHook([&] {
        if (++calls == 3) {
            line.Send("K");
        }
    });
    BYTE byte = 0;
    DWORD got = 0;
    EXPECT_TRUE(ReadFile(port.get(), &byte, 1, &got, nullptr));
    EXPECT_EQ(got, 1u);
    EXPECT_EQ(byte, 'K');
    EXPECT_GE(calls, 3);
    EXPECT_LE(calls, 10);  // the wait ended soon after the byte came, not at the 2 s limit
}

TEST_F(WaitHookTest, WaitInsideTheHookDoesNotCallItAgain) {
    Port port = OpenLine(Timeouts(0, 0, 300));
    int depth = 0;
    int deepest = 0;
    int calls = 0;
    SetWaitHook([&] {
        ++calls;
        ++depth;
        deepest = std::max(deepest, depth);
        if (calls == 1) {
            // A handler run from the hook that talks to the line itself.
            BYTE byte = 0;
            DWORD got = 0;
            COMMTIMEOUTS shorter = Timeouts(0, 0, 100);
            SetCommTimeouts(port.get(), &shorter);
            ReadFile(port.get(), &byte, 1, &got, nullptr);
        }
        --depth;
    });
    BYTE byte = 0;
    DWORD got = 0;
    EXPECT_TRUE(ReadFile(port.get(), &byte, 1, &got, nullptr));
    EXPECT_EQ(deepest, 1);
    EXPECT_GE(calls, 2);  // the outer wait went on calling it afterwards
}

TEST_F(WaitHookTest, IsCalledWhileAWriteWaitsForRoom) {
    Port port = OpenLine();
    COMMTIMEOUTS timeouts = ProgramTimeouts();
    timeouts.WriteTotalTimeoutConstant = 300;
    ASSERT_TRUE(SetCommTimeouts(port.get(), &timeouts));
    int calls = 0;
    SetWaitHook([&] { ++calls; });
    const std::string bytes(4 * 1024 * 1024, 'w');
    DWORD written = 0;
    EXPECT_FALSE(
        WriteFile(port.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr));
    EXPECT_GE(calls, 2);
}

TEST_F(WaitHookTest, IsCalledThroughASeriesOfShortWaits) {
    // A slow trickle: every byte arrives before a slice has passed, yet the waiting adds up.
    Port port = OpenLine(ProgramTimeouts());
    int calls = 0;
    SetWaitHook([&] { ++calls; });
    std::thread device([&] {
        for (int i = 0; i < 20; ++i) {
            std::this_thread::sleep_for(15ms);
            line.Send("b");
        }
    });
    for (int i = 0; i < 20; ++i) {
        BYTE byte = 0;
        DWORD got = 0;
        EXPECT_TRUE(ReadFile(port.get(), &byte, 1, &got, nullptr));
        EXPECT_EQ(got, 1u);
    }
    device.join();
    EXPECT_GE(calls, 3);  // about 300 ms of waiting
}

TEST_F(WaitHookTest, RemovedHookIsNotCalled) {
    Port port = OpenLine(Timeouts(0, 0, 200));
    int calls = 0;
    SetWaitHook([&] { ++calls; });
    SetWaitHook({});
    BYTE byte = 0;
    DWORD got = 0;
    EXPECT_TRUE(ReadFile(port.get(), &byte, 1, &got, nullptr));
    EXPECT_EQ(calls, 0);
}

}  // namespace
}  // namespace comm_test
