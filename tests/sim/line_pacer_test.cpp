// The 9600 baud schedule as arithmetic: no clock is read here.

#include "sim/line_pacer.h"

#include <gtest/gtest.h>

namespace sim {
namespace {

using Clock = LinePacer::Clock;
using std::chrono::nanoseconds;

TEST(LinePacerTest, ABurstOfBytesKeepsTheLineRateWithoutDrift) {
    LinePacer pacer(true);
    const Clock::time_point start{std::chrono::seconds(100)};
    Clock::time_point end;
    for (int k = 0; k < 9600; ++k) end = pacer.Book(start);
    // 9600 bytes of ten bits each take exactly ten seconds.
    EXPECT_EQ(end - start, std::chrono::seconds(10));
}

TEST(LinePacerTest, EachByteEndsOneByteTimeAfterThePrevious) {
    LinePacer pacer(true);
    const Clock::time_point start{std::chrono::seconds(5)};
    EXPECT_EQ(pacer.Book(start) - start, nanoseconds(1'041'666));
    EXPECT_EQ(pacer.Book(start) - start, nanoseconds(2'083'333));
    EXPECT_EQ(pacer.Book(start) - start, nanoseconds(3'125'000));
    EXPECT_EQ(pacer.ByteTime(), nanoseconds(1'041'666));
}

TEST(LinePacerTest, AByteReadyAfterAnIdleLineStartsANewBurst) {
    LinePacer pacer(true);
    const Clock::time_point start{std::chrono::seconds(5)};
    pacer.Book(start);
    const Clock::time_point later = start + std::chrono::milliseconds(50);
    EXPECT_EQ(pacer.Book(later) - later, nanoseconds(1'041'666));
    // A byte ready while the line is still busy waits for its slot.
    EXPECT_EQ(pacer.Book(later) - later, nanoseconds(2'083'333));
}

TEST(LinePacerTest, AnUnpacedLineTakesBytesAtOnce) {
    LinePacer pacer(false);
    const Clock::time_point start{std::chrono::seconds(5)};
    EXPECT_EQ(pacer.Book(start), start);
    EXPECT_EQ(pacer.Book(start), start);
    EXPECT_EQ(pacer.ByteTime(), nanoseconds(0));
}

}  // namespace
}  // namespace sim
