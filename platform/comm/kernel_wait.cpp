#include "platform/comm/kernel_wait.h"

#include <poll.h>

#include <algorithm>
#include <cerrno>
#include <ctime>
#include <memory>
#include <mutex>

#include "platform/comm/wait_hook.h"

namespace platform::comm {
namespace {

constexpr auto kHookSlice = std::chrono::milliseconds(40);

using Hook = std::function<void()>;
std::mutex hook_mutex;
std::shared_ptr<const Hook> current_hook;

// A hook that itself waits on a port (a toolkit handling a click that talks to the timer)
// must not re-enter itself: nested waits on the same thread run without it.
thread_local bool inside_hook = false;

std::shared_ptr<const Hook> HookForThisWait() {
    if (inside_hook) {
        return nullptr;
    }
    std::lock_guard lock(hook_mutex);
    return current_hook;
}

void RunHook(const Hook& hook) {
    struct Reset {
        ~Reset() { inside_hook = false; }
    } reset;
    inside_hook = true;
    hook();
}

timespec ToTimespec(Clock::duration d) {
    const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(d).count();
    return timespec{static_cast<time_t>(ns / 1'000'000'000), static_cast<long>(ns % 1'000'000'000)};
}

}  // namespace

void SetWaitHook(std::function<void()> hook) {
    std::lock_guard lock(hook_mutex);
    current_hook = hook ? std::make_shared<const Hook>(std::move(hook)) : nullptr;
}

WaitResult WaitForDevice(int fd, short events, std::optional<Clock::time_point> deadline) {
    // When the hook last ran on this thread. It is due every slice of the thread's waiting,
    // even when the device keeps waking each wait before a slice has passed.
    thread_local Clock::time_point last_hook_run{};
    pollfd entry{fd, events, 0};
    for (;;) {
        const auto hook = HookForThisWait();
        auto now = Clock::now();
        if (hook && now - last_hook_run >= kHookSlice) {
            RunHook(*hook);
            last_hook_run = now = Clock::now();
        }
        std::optional<Clock::duration> slice;
        if (deadline) {
            slice = std::max(Clock::duration::zero(), *deadline - now);
        }
        if (hook) {
            const auto until_hook = last_hook_run + kHookSlice - now;
            if (!slice || *slice > until_hook) {
                slice = until_hook;
            }
        }
        timespec timeout{};
        if (slice) {
            timeout = ToTimespec(*slice);
        }
        entry.revents = 0;
        const int rc = ppoll(&entry, 1, slice ? &timeout : nullptr, nullptr);
        if (rc > 0) {
            return {WaitResult::Outcome::kReady, entry.revents, 0};
        }
        if (rc < 0 && errno != EINTR) {
            return {WaitResult::Outcome::kFailed, 0, errno};
        }
        if (rc == 0 && deadline && Clock::now() >= *deadline) {
            return {WaitResult::Outcome::kTimedOut, 0, 0};
        }
    }
}

}  // namespace platform::comm
