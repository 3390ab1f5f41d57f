// Reading with the program's time-outs.
//
// The time-outs follow their documented meaning:
// - total: multiplier x bytes asked for + constant; both 0 means no total limit;
// - interval: once a byte has arrived, the longest gap allowed before the next; 0 is none;
// - interval MAXDWORD with both totals 0: return at once with what is there;
// - interval and multiplier MAXDWORD, constant in between: wait up to the constant for the
//   first byte and return as soon as any is there.
// Running out of time is no error: the call succeeds with fewer bytes. A device that goes
// away ends the read at once with what was gathered, and fails.

#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <limits>

#include "platform/comm/comm.h"
#include "platform/comm/errno_map.h"
#include "platform/comm/kernel_wait.h"
#include "platform/comm/last_error.h"
#include "platform/comm/serial_port.h"

namespace platform::comm {
namespace {

constexpr DWORD kMaxDword = std::numeric_limits<DWORD>::max();
constexpr short kHangup = POLLHUP | POLLERR | POLLNVAL;

struct ReadPlan {
    std::optional<Clock::duration> total;
    std::optional<Clock::duration> interval;
    bool return_on_first_byte = false;
};

ReadPlan PlanRead(const COMMTIMEOUTS& t, DWORD count) {
    using std::chrono::milliseconds;
    ReadPlan plan;
    if (t.ReadIntervalTimeout == kMaxDword && t.ReadTotalTimeoutMultiplier == 0 &&
        t.ReadTotalTimeoutConstant == 0) {
        plan.total = Clock::duration::zero();
        return plan;
    }
    if (t.ReadIntervalTimeout == kMaxDword && t.ReadTotalTimeoutMultiplier == kMaxDword &&
        t.ReadTotalTimeoutConstant > 0 && t.ReadTotalTimeoutConstant < kMaxDword) {
        plan.total = milliseconds(t.ReadTotalTimeoutConstant);
        plan.return_on_first_byte = true;
        return plan;
    }
    if (t.ReadTotalTimeoutMultiplier != 0 || t.ReadTotalTimeoutConstant != 0) {
        const auto total =
            std::uint64_t{t.ReadTotalTimeoutMultiplier} * count + t.ReadTotalTimeoutConstant;
        plan.total = milliseconds(static_cast<milliseconds::rep>(total));
    }
    if (t.ReadIntervalTimeout != 0) {
        plan.interval = milliseconds(t.ReadIntervalTimeout);
    }
    return plan;
}

std::optional<Clock::time_point> Earliest(std::optional<Clock::time_point> a,
                                          std::optional<Clock::time_point> b) {
    if (!a) return b;
    if (!b) return a;
    return std::min(*a, *b);
}

}  // namespace
}  // namespace platform::comm

BOOL ReadFile(HANDLE hFile, LPVOID lpBuffer, DWORD nNumberOfBytesToRead,
              LPDWORD lpNumberOfBytesRead, LPOVERLAPPED lpOverlapped) {
    using namespace platform::comm;
    SerialPort* port = FindPort(hFile);
    if (port == nullptr) {
        return FALSE;
    }
    // Only synchronous reads are provided.
    if ((lpBuffer == nullptr && nNumberOfBytesToRead > 0) || lpOverlapped != nullptr) {
        return Fail(ERROR_INVALID_PARAMETER);
    }
    auto* buffer = static_cast<BYTE*>(lpBuffer);
    DWORD got = 0;
    auto finish = [&](DWORD error) {
        if (lpNumberOfBytesRead != nullptr) {
            *lpNumberOfBytesRead = got;
        }
        return error == 0 ? TRUE : Fail(error);
    };

    const ReadPlan plan = PlanRead(port->timeouts, nNumberOfBytesToRead);
    const Clock::time_point start = Clock::now();
    std::optional<Clock::time_point> total_deadline;
    if (plan.total) {
        total_deadline = start + *plan.total;
    }
    Clock::time_point last_byte = start;
    bool hung_up = false;

    while (got < nNumberOfBytesToRead) {
        const ssize_t n = ::read(port->fd, buffer + got, nNumberOfBytesToRead - got);
        if (n > 0) {
            got += static_cast<DWORD>(n);
            last_byte = Clock::now();
            // A peer that never stops sending still cannot hold the read past its total.
            if (plan.return_on_first_byte || (total_deadline && last_byte >= *total_deadline)) {
                break;
            }
            continue;
        }
        if (n == 0) {
            return finish(ERROR_GEN_FAILURE);  // end of input: the far end hung up
        }
        if (errno == EINTR) {
            continue;
        }
        if (errno != EAGAIN) {
            return finish(ErrorFromIoErrno(errno));
        }
        if (hung_up) {
            return finish(ERROR_GEN_FAILURE);  // hang-up reported, yet nothing to read
        }
        std::optional<Clock::time_point> deadline = total_deadline;
        if (got > 0 && plan.interval) {
            deadline = Earliest(deadline, last_byte + *plan.interval);
        }
        const WaitResult wait = WaitForDevice(port->fd, POLLIN, deadline);
        if (wait.outcome == WaitResult::Outcome::kTimedOut) {
            break;
        }
        if (wait.outcome == WaitResult::Outcome::kFailed) {
            return finish(ErrorFromIoErrno(wait.error));
        }
        hung_up = (wait.revents & kHangup) != 0;
    }
    return finish(0);
}
