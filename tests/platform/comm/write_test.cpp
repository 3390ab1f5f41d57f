// Writes on a real pseudo-terminal: exact bytes, large writes, and a peer that never reads.

#include <atomic>
#include <thread>

#include "tests/platform/comm/comm_fixture.h"

namespace comm_test {
namespace {

std::string Pattern(std::size_t size) {
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i) {
        bytes[i] = static_cast<char>((i * 7 + i / 251) & 0xFF);
    }
    return bytes;
}

TEST_F(CommTest, WritesExactlyTheBytesGivenAndNothingMore) {
    Port port = OpenLine();
    DWORD written = 0;
    ASSERT_TRUE(WriteFile(port.get(), "T?", 2, &written, nullptr));
    EXPECT_EQ(written, 2u);
    EXPECT_EQ(line.Receive(3, 300ms), "T?");
}

TEST_F(CommTest, WriteLargerThanTheLineBufferCompletesWhileThePeerReads) {
    Port port = OpenLine();
    const std::string bytes = Pattern(256 * 1024);
    std::string received;
    std::thread device([&] { received = line.Receive(bytes.size(), 10s); });
    DWORD written = 0;
    EXPECT_TRUE(
        WriteFile(port.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr))
        << "error " << GetLastError();
    device.join();
    EXPECT_EQ(written, bytes.size());
    EXPECT_TRUE(received == bytes) << "received " << received.size() << " bytes, not the same";
}

// The program sets no write time-outs; a timer that stopped reading still cannot hold the
// program for longer than the 2 s bound.
TEST_F(CommTest, PeerThatNeverReadsHoldsAWriteForAtMostTwoSeconds) {
    Port port = OpenLine();
    const std::string bytes = Pattern(4 * 1024 * 1024);
    DWORD written = 0;
    const auto start = Clock::now();
    EXPECT_FALSE(
        WriteFile(port.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr));
    const auto took = Since(start);
    EXPECT_EQ(GetLastError(), ERROR_TIMEOUT);
    EXPECT_GT(written, 0u);
    EXPECT_LT(written, bytes.size());
    EXPECT_GE(took, 1990ms);
    EXPECT_LT(took, 3500ms);
    // What did go out is the start of what was asked for.
    EXPECT_TRUE(line.Receive(written, 2s) == bytes.substr(0, written));
}

TEST_F(CommTest, WriteTimeoutsShortenTheBound) {
    Port port = OpenLine();
    COMMTIMEOUTS timeouts = ProgramTimeouts();
    timeouts.WriteTotalTimeoutConstant = 200;
    ASSERT_TRUE(SetCommTimeouts(port.get(), &timeouts));
    const std::string bytes = Pattern(4 * 1024 * 1024);
    DWORD written = 0;
    const auto start = Clock::now();
    EXPECT_FALSE(
        WriteFile(port.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr));
    EXPECT_EQ(GetLastError(), ERROR_TIMEOUT);
    EXPECT_GE(Since(start), 195ms);
    EXPECT_LT(Since(start), 1500ms);
}

TEST_F(CommTest, WriteToALineWhoseFarEndIsGoneFailsAtOnce) {
    Port port = OpenLine();
    line.CloseMaster();
    DWORD written = 5;
    const auto start = Clock::now();
    EXPECT_FALSE(WriteFile(port.get(), "V", 1, &written, nullptr));
    EXPECT_EQ(written, 0u);
    EXPECT_EQ(GetLastError(), ERROR_GEN_FAILURE);
    EXPECT_LT(Since(start), 1000ms);
}

TEST_F(CommTest, EmptyWriteSucceedsWithoutTouchingTheLine) {
    Port port = OpenLine();
    DWORD written = 5;
    EXPECT_TRUE(WriteFile(port.get(), "", 0, &written, nullptr));
    EXPECT_EQ(written, 0u);
    EXPECT_EQ(line.Receive(1, 100ms), "");
}

}  // namespace
}  // namespace comm_test
