#pragma once
// Waiting for a device in the kernel, with a deadline, for reads and writes alike.
//
// The wait is one ppoll() unless a wait hook is set (wait_hook.h); then the hook runs about
// every 40 ms of the thread's waiting, also across a series of short waits. A signal that
// interrupts the wait does not shorten it: the wait goes on for the time that remains.

#include <chrono>
#include <optional>

namespace platform::comm {

using Clock = std::chrono::steady_clock;

struct WaitResult {
    enum class Outcome { kReady, kTimedOut, kFailed };
    Outcome outcome = Outcome::kTimedOut;
    short revents = 0;  // what poll reported when ready, hang-ups included
    int error = 0;      // errno when failed
};

// Waits until fd reports one of events (or a hang-up or error), or the deadline passes.
// No deadline means no limit.
WaitResult WaitForDevice(int fd, short events, std::optional<Clock::time_point> deadline);

}  // namespace platform::comm
