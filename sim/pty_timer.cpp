#include "sim/pty_timer.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/eventfd.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <deque>
#include <stdexcept>

#include "sim/line_pacer.h"
#include "sim/state_file.h"

namespace sim {
namespace {

using Clock = LinePacer::Clock;

std::runtime_error SystemError(const std::string& what) {
    return std::runtime_error(what + ": " + std::strerror(errno));
}

TimerState WithoutSession(TimerState state) {
    state.setupMode = false;
    return state;
}

timespec Until(Clock::time_point when, Clock::time_point now) {
    const auto wait = std::max(when - now, Clock::duration::zero());
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(wait);
    return timespec{static_cast<time_t>(seconds.count()),
                    static_cast<long>(std::chrono::nanoseconds(wait - seconds).count())};
}

struct InboundByte {
    char byte;
    Clock::time_point arrives;  // when its last bit has reached the timer
};

}  // namespace

PtyTimer::PtyTimer(Options options) : options_(std::move(options)) {
    TimerState initial = options_.initial;
    if (!options_.stateFile.empty()) LoadStateFile(options_.stateFile, initial);
    engine_ = Engine(initial, options_.quirks);
    saved_ = WithoutSession(initial);

    char name[256] = {};
    if (openpty(&masterFd_, &slaveFd_, name, nullptr, nullptr) != 0) throw SystemError("openpty");
    devicePath_ = name;
    termios settings{};
    tcgetattr(slaveFd_, &settings);
    cfmakeraw(&settings);
    settings.c_cflag |= CLOCAL | CREAD;
    cfsetspeed(&settings, B9600);
    tcsetattr(slaveFd_, TCSANOW, &settings);
    fcntl(masterFd_, F_SETFL, fcntl(masterFd_, F_GETFL) | O_NONBLOCK);
    fcntl(masterFd_, F_SETFD, FD_CLOEXEC);
    fcntl(slaveFd_, F_SETFD, FD_CLOEXEC);

    host_ = std::make_unique<HostPresence>(devicePath_);
    hostPresent_ = host_->Present();
    wakeFd_ = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    try {
        if (wakeFd_ < 0) throw SystemError("eventfd");
        if (!options_.transcriptFile.empty()) transcript_.Open(options_.transcriptFile);
    } catch (...) {
        CloseLine();
        if (wakeFd_ >= 0) close(wakeFd_);
        throw;
    }
    thread_ = std::thread([this] { Serve(); });
}

PtyTimer::~PtyTimer() {
    const std::uint64_t one = 1;
    [[maybe_unused]] const ssize_t written = write(wakeFd_, &one, sizeof one);
    thread_.join();
    close(wakeFd_);
    CloseLine();
    transcript_.Flush();
}

void PtyTimer::CloseLine() {
    if (masterFd_ >= 0) close(masterFd_);
    if (slaveFd_ >= 0) close(slaveFd_);
    masterFd_ = slaveFd_ = -1;
}

std::string PtyTimer::DevicePath() const {
    return devicePath_;
}

void PtyTimer::MapAs(const std::string& comName) {
    std::lock_guard lock(mutex_);
    mapEntry_.Publish(comName, devicePath_);
    if (closed_) mapEntry_.Unplug();
}

std::string PtyTimer::ReceivedBytes() const {
    std::lock_guard lock(mutex_);
    return bytes_;
}

std::vector<std::string> PtyTimer::Commands() const {
    std::lock_guard lock(mutex_);
    return engine_.Commands();
}

TimerState PtyTimer::State() const {
    std::lock_guard lock(mutex_);
    return engine_.State();
}

void PtyTimer::SetState(const TimerState& state) {
    std::lock_guard lock(mutex_);
    engine_.SetState(state);
    SaveIfChanged();
}

bool PtyTimer::WaitForReceived(size_t byteCount, int timeoutMs) const {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                             [&] { return bytes_.size() >= byteCount; });
}

bool PtyTimer::WaitForHost(bool present, int timeoutMs) const {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                             [&] { return hostPresent_ == present; });
}

bool PtyTimer::LineClosed() const {
    std::lock_guard lock(mutex_);
    return closed_;
}

void PtyTimer::SaveIfChanged() {
    const TimerState now = WithoutSession(engine_.State());
    if (now == saved_) return;
    saved_ = now;
    if (!options_.stateFile.empty()) SaveStateFile(options_.stateFile, now);
}

std::string PtyTimer::Take(char byte) {
    std::string reply;
    {
        std::lock_guard lock(mutex_);
        bytes_ += byte;
        reply = engine_.Receive(byte);
        SaveIfChanged();
        closed_ = engine_.LineClosed();
    }
    changed_.notify_all();
    return reply;
}

// One loop serves both directions: bytes are read as soon as the host writes them, but are
// handed to the engine only when the line would have delivered them, and replies are written
// a byte at a time when the line would have carried them.
void PtyTimer::Serve() {
    LinePacer inPacer(options_.paced);
    LinePacer outPacer(options_.paced);
    const auto byteDelay = std::chrono::milliseconds(options_.quirks.byteDelayMs);
    HostPresence& host = *host_;
    std::deque<InboundByte> inbound;
    std::deque<char> outbound;
    Clock::time_point outDue{};
    bool waitWritable = false;

    for (;;) {
        Clock::time_point now = Clock::now();
        while (!inbound.empty() && inbound.front().arrives <= now && masterFd_ >= 0) {
            const InboundByte next = inbound.front();
            inbound.pop_front();
            const std::string reply = Take(next.byte);
            if (LineClosed()) {
                {
                    // Before the close: a new terminal may get this one's number at once.
                    std::lock_guard lock(mutex_);
                    mapEntry_.Unplug();
                }
                CloseLine();
                inbound.clear();
                outbound.clear();
                break;
            }
            if (reply.empty()) continue;
            if (outbound.empty()) {
                const Clock::time_point ready = options_.paced ? next.arrives : now;
                outDue = outPacer.Book(ready + byteDelay);
            }
            outbound.insert(outbound.end(), reply.begin(), reply.end());
        }

        if (!host.Present()) outbound.clear();  // nobody listens: the bytes are lost
        now = Clock::now();
        while (masterFd_ >= 0 && !outbound.empty() && outDue <= now && !waitWritable) {
            const ssize_t written = write(masterFd_, &outbound.front(), 1);
            if (written != 1) {
                waitWritable = errno == EAGAIN;
                if (!waitWritable) outbound.clear();
                break;
            }
            transcript_.Log(now, Transcript::Direction::Out, outbound.front());
            outbound.pop_front();
            if (!outbound.empty()) outDue = outPacer.Book(outDue + byteDelay);
        }
        transcript_.Flush();

        pollfd fds[3] = {{wakeFd_, POLLIN, 0}, {host.Fd(), POLLIN, 0}, {masterFd_, POLLIN, 0}};
        if (waitWritable) fds[2].events |= POLLOUT;
        Clock::time_point wakeAt = Clock::time_point::max();
        if (!inbound.empty()) wakeAt = inbound.front().arrives;
        if (!outbound.empty() && !waitWritable) wakeAt = std::min(wakeAt, outDue);
        const timespec wait = Until(wakeAt, now);
        const bool forever = wakeAt == Clock::time_point::max();
        const int nfds = masterFd_ >= 0 ? 3 : 1;
        if (ppoll(fds, nfds, forever ? nullptr : &wait, nullptr) < 0 && errno != EINTR) return;
        if (fds[0].revents & POLLIN) return;
        if (nfds < 3) continue;
        // Opens and closes are taken before the bytes that followed them.
        if ((fds[1].revents & POLLIN) && host.Update()) {
            tcflush(slaveFd_, TCIFLUSH);
            outbound.clear();
            waitWritable = false;
            {
                std::lock_guard lock(mutex_);
                hostPresent_ = host.Present();
            }
            changed_.notify_all();
        }
        if (fds[2].revents & POLLOUT) waitWritable = false;
        if (fds[2].revents & POLLIN) {
            char buffer[64];
            const ssize_t count = read(masterFd_, buffer, sizeof buffer);
            const Clock::time_point seen = Clock::now();
            for (ssize_t i = 0; i < count; ++i) {
                const Clock::time_point arrives = inPacer.Book(seen);
                transcript_.Log(arrives - inPacer.ByteTime(), Transcript::Direction::In, buffer[i]);
                inbound.push_back({buffer[i], arrives});
            }
        }
    }
}

}  // namespace sim
