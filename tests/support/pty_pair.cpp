#include "tests/support/pty_pair.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <system_error>

namespace test_support {
namespace {

using Clock = std::chrono::steady_clock;

// Waits for events on fd until deadline; false when the time ran out.
bool WaitUntil(int fd, short events, Clock::time_point deadline) {
    for (;;) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        pollfd entry{fd, events, 0};
        const int rc = ::poll(&entry, 1, static_cast<int>(std::max<long>(0, left.count())));
        if (rc > 0) {
            return true;
        }
        if (rc == 0 || errno != EINTR) {
            return false;
        }
    }
}

}  // namespace

PtyPair::PtyPair() {
    std::array<char, 128> name{};
    if (::openpty(&master_, &slave_, name.data(), nullptr, nullptr) != 0) {
        throw std::system_error(errno, std::generic_category(), "openpty");
    }
    slave_path_ = name.data();
    // Acts on the slave's settings too: a pty has one set, reached from either end.
    termios raw{};
    ::tcgetattr(master_, &raw);
    ::cfmakeraw(&raw);
    ::tcsetattr(master_, TCSANOW, &raw);
    ::fcntl(master_, F_SETFD, FD_CLOEXEC);
    ::fcntl(slave_, F_SETFD, FD_CLOEXEC);
    ::fcntl(master_, F_SETFL, ::fcntl(master_, F_GETFL) | O_NONBLOCK);
}

PtyPair::~PtyPair() {
    CloseMaster();
    ::close(slave_);
}

void PtyPair::Send(std::string_view bytes) {
    const auto deadline = Clock::now() + std::chrono::seconds(2);
    while (!bytes.empty()) {
        const ssize_t n = ::write(master_, bytes.data(), bytes.size());
        if (n > 0) {
            bytes.remove_prefix(static_cast<std::size_t>(n));
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else if (n < 0 && errno == EAGAIN && WaitUntil(master_, POLLOUT, deadline)) {
            continue;
        } else {
            ADD_FAILURE() << "PtyPair::Send: " << bytes.size() << " bytes not sent (errno " << errno
                          << ")";
            return;
        }
    }
}

std::string PtyPair::Receive(std::size_t count, std::chrono::milliseconds limit) {
    std::string got;
    const auto deadline = Clock::now() + limit;
    while (got.size() < count) {
        std::array<char, 4096> chunk{};
        const ssize_t n = ::read(master_, chunk.data(), std::min(chunk.size(), count - got.size()));
        if (n > 0) {
            got.append(chunk.data(), static_cast<std::size_t>(n));
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else if (n < 0 && errno == EAGAIN && WaitUntil(master_, POLLIN, deadline)) {
            continue;
        } else {
            break;  // time is up (or the master is gone)
        }
    }
    return got;
}

void PtyPair::CloseMaster() {
    if (master_ >= 0) {
        ::close(master_);
        master_ = -1;
    }
}

}  // namespace test_support
