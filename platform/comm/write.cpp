// Writing every byte, with a bound on how long a peer that does not read can hold us up.
//
// The write time-outs bound the whole call when set (multiplier x bytes + constant). When
// they are not set the wait for room is still bounded, at 2 s, so that a timer that
// stopped reading cannot freeze the program. Running out of time fails with ERROR_TIMEOUT
// and reports how many bytes went out.

#include <poll.h>
#include <unistd.h>

#include <cerrno>

#include "platform/comm/comm.h"
#include "platform/comm/errno_map.h"
#include "platform/comm/kernel_wait.h"
#include "platform/comm/last_error.h"
#include "platform/comm/serial_port.h"

namespace platform::comm {
namespace {

constexpr auto kDefaultWriteLimit = std::chrono::milliseconds(2000);
constexpr short kHangup = POLLHUP | POLLERR | POLLNVAL;

Clock::duration WriteLimit(const COMMTIMEOUTS& t, DWORD count) {
    if (t.WriteTotalTimeoutMultiplier == 0 && t.WriteTotalTimeoutConstant == 0) {
        return kDefaultWriteLimit;
    }
    const auto total =
        std::uint64_t{t.WriteTotalTimeoutMultiplier} * count + t.WriteTotalTimeoutConstant;
    return std::chrono::milliseconds(static_cast<std::chrono::milliseconds::rep>(total));
}

}  // namespace
}  // namespace platform::comm

BOOL WriteFile(HANDLE hFile, LPCVOID lpBuffer, DWORD nNumberOfBytesToWrite,
               LPDWORD lpNumberOfBytesWritten, LPOVERLAPPED lpOverlapped) {
    using namespace platform::comm;
    SerialPort* port = FindPort(hFile);
    if (port == nullptr) {
        return FALSE;
    }
    if ((lpBuffer == nullptr && nNumberOfBytesToWrite > 0) || lpOverlapped != nullptr) {
        return Fail(ERROR_INVALID_PARAMETER);
    }
    const auto* bytes = static_cast<const BYTE*>(lpBuffer);
    DWORD done = 0;
    auto finish = [&](DWORD error) {
        if (lpNumberOfBytesWritten != nullptr) {
            *lpNumberOfBytesWritten = done;
        }
        return error == 0 ? TRUE : Fail(error);
    };

    const Clock::time_point deadline =
        Clock::now() + WriteLimit(port->timeouts, nNumberOfBytesToWrite);
    bool hung_up = false;
    while (done < nNumberOfBytesToWrite) {
        const ssize_t n = ::write(port->fd, bytes + done, nNumberOfBytesToWrite - done);
        if (n > 0) {
            done += static_cast<DWORD>(n);
            continue;
        }
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0 && errno != EAGAIN) {
            return finish(ErrorFromIoErrno(errno));
        }
        if (hung_up) {
            return finish(ERROR_GEN_FAILURE);  // hang-up reported, yet no room
        }
        const WaitResult wait = WaitForDevice(port->fd, POLLOUT, deadline);
        if (wait.outcome == WaitResult::Outcome::kTimedOut) {
            return finish(ERROR_TIMEOUT);
        }
        if (wait.outcome == WaitResult::Outcome::kFailed) {
            return finish(ErrorFromIoErrno(wait.error));
        }
        hung_up = (wait.revents & kHangup) != 0;
    }
    return finish(0);
}
