#include "sim/host_presence.h"

#include <sys/inotify.h>
#include <unistd.h>

#include <cstring>

namespace sim {

HostPresence::HostPresence(const std::string& device) {
    fd_ = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (fd_ >= 0 && inotify_add_watch(fd_, device.c_str(), IN_OPEN | IN_CLOSE) < 0) {
        close(fd_);
        fd_ = -1;
    }
}

HostPresence::~HostPresence() {
    if (fd_ >= 0) close(fd_);
}

bool HostPresence::Update() {
    if (fd_ < 0) return false;
    bool changed = false;
    alignas(inotify_event) char buffer[4096];
    ssize_t length = 0;
    while ((length = read(fd_, buffer, sizeof buffer)) > 0) {
        for (ssize_t at = 0; at < length;) {
            inotify_event event;
            std::memcpy(&event, buffer + at, sizeof event);
            const bool wasPresent = opens_ > 0;
            if (event.mask & IN_OPEN) ++opens_;
            if ((event.mask & IN_CLOSE) && opens_ > 0) --opens_;
            changed = changed || wasPresent != (opens_ > 0);
            at += static_cast<ssize_t>(sizeof(inotify_event) + event.len);
        }
    }
    return changed;
}

}  // namespace sim
