// How fast the simulated timer takes in and sends out bytes when it holds the line to 9600
// baud, 8N1: the line carries 960 bytes a second each way. Measured twice over: on the host's
// side of the pseudo-terminal, and from the simulator's own transcript. Rates over many
// bytes are least-squares fits of time over byte index: on a busy machine single wake-ups
// come late, and the simulator then catches up with its schedule.

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "bench/transcript_reader.h"
#include "sim/pty_timer.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr double kLineRate = 960.0;
constexpr int kRounds = 3;

double Seconds(Clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

// The host's end: the terminal's device, raw.
class HostEnd {
  public:
    explicit HostEnd(const std::string& device) {
        fd_ = open(device.c_str(), O_RDWR | O_NOCTTY);
        termios settings{};
        tcgetattr(fd_, &settings);
        cfmakeraw(&settings);
        tcsetattr(fd_, TCSANOW, &settings);
    }
    ~HostEnd() { close(fd_); }
    bool Ok() const { return fd_ >= 0; }

    void Write(const std::string& bytes) const {
        [[maybe_unused]] const ssize_t n = write(fd_, bytes.data(), bytes.size());
    }
    // Reads `count` bytes, returning the time each was seen; stops after 3 s of silence.
    std::vector<Clock::time_point> Read(size_t count) const {
        std::vector<Clock::time_point> seen;
        while (seen.size() < count) {
            pollfd fd{fd_, POLLIN, 0};
            if (poll(&fd, 1, 3000) <= 0) break;
            char buffer[256];
            const ssize_t n = read(fd_, buffer, sizeof buffer);
            const Clock::time_point now = Clock::now();
            for (ssize_t i = 0; i < n; ++i) seen.push_back(now);
        }
        return seen;
    }

  private:
    int fd_ = -1;
};

void Report(const char* what, double rate) {
    const double deviation = (rate - kLineRate) / kLineRate * 100.0;
    std::printf("  %-44s %8.1f B/s  %+6.2f %% vs 960  %s\n", what, rate, deviation,
                std::fabs(deviation) <= 2.0 ? "within 2%" : "OUTSIDE 2%");
}

}  // namespace

int main() {
    const std::filesystem::path transcript =
        std::filesystem::temp_directory_path() / ("bench_sim_pacing." + std::to_string(getpid()));
    std::printf("Simulated timer at 9600 baud 8N1 (line rate 960 B/s), %d rounds\n", kRounds);

    double hostIn = 0, hostOut = 0, logIn = 0, logOut = 0;
    size_t inBytes = 0, outBytes = 0;
    for (int round = 0; round < kRounds; ++round) {
        sim::Options options;
        options.paced = true;
        options.transcriptFile = transcript.string();
        {
            sim::PtyTimer timer(options);
            HostEnd host(timer.DevicePath());
            if (!host.Ok()) {
                std::perror("open");
                return 1;
            }
            // Towards the timer: 400 stray bytes it must take in one by one, then a query.
            // Its first reply byte leaves one byte time after the query's last byte arrived.
            const std::string towards = std::string(400, 'z') + "F?";
            const Clock::time_point written = Clock::now();
            host.Write(towards);
            const auto firstReply = host.Read(4);
            if (firstReply.size() < 4) return 1;
            const double inSeconds = Seconds(firstReply[0] - written) - 1.0 / kLineRate;
            hostIn += static_cast<double>(towards.size()) / inSeconds;
            inBytes = towards.size();

            // From the timer: six version queries, answered back to back.
            const std::string versions(6, 'V');
            const size_t expected = 6 * (std::string(sim::kVersionLine1).size() +
                                         std::string(sim::kVersionLine2).size() + 4);
            host.Write(versions);
            const auto seen = host.Read(expected);
            if (seen.size() < expected) return 1;
            std::vector<double> seconds;
            for (const Clock::time_point t : seen) seconds.push_back(Seconds(t - seen.front()));
            hostOut += bench::FittedRate(seconds);
            outBytes = expected;
        }
        const auto logged = bench::ReadTranscript(transcript.string());
        // The two directions, taken apart: the stray burst alone, and the version replies
        // (every byte out after the four of the "F?" reply).
        std::vector<bench::LoggedByte> strays, replies;
        size_t outSeen = 0;
        for (const auto& b : logged) {
            if (b.in && b.byte == 'z') strays.push_back(b);
            if (!b.in && ++outSeen > 4) replies.push_back(b);
        }
        logIn += bench::RateOf(strays, true);
        logOut += bench::RateOf(replies, false);
    }
    std::filesystem::remove(transcript);

    std::printf("Host side (pseudo-terminal, steady clock):\n");
    Report(("in:  " + std::to_string(inBytes) + " bytes to the timer").c_str(), hostIn / kRounds);
    Report(("out: " + std::to_string(outBytes) + " bytes from the timer").c_str(),
           hostOut / kRounds);
    std::printf("Simulator's transcript:\n");
    Report("in:  the 400 stray bytes", logIn / kRounds);
    Report("out: the version replies", logOut / kRounds);
    return 0;
}
