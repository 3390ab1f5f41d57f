// How quickly the host's serial layer follows a reply with its next command, measured from
// the simulated timer's transcript over the exchanges of a connect and several settings reads
// (as the program makes them: "V", a second line, "yub", then "T?" "F?" "G?" "S?" "D?" "L?").
// Turnaround: from the last byte of a reply leaving the timer to the first byte of the next
// command reaching it.

#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <numeric>
#include <string>
#include <vector>

#include "bench/transcript_reader.h"
#include "link/serial_line.h"
#include "sim/pty_timer.h"

namespace {

constexpr int kReads = 10;
const char* const kQueries[] = {"T?", "F?", "G?", "S?", "D?", "L?"};

}  // namespace

int main() {
    namespace fs = std::filesystem;
    std::string home = (fs::temp_directory_path() / "bench-turnaround-XXXXXX").string();
    if (mkdtemp(home.data()) == nullptr) return 1;
    setenv("XDG_CONFIG_HOME", home.c_str(), 1);
    const std::string transcript = home + "/transcript.txt";

    std::vector<double> readMillis;
    {
        sim::Options options;
        options.paced = true;
        options.transcriptFile = transcript;
        sim::PtyTimer timer(options);
        timer.MapAs("COM9");
        HANDLE port = INVALID_HANDLE_VALUE;
        if (timerlink::OpenPort("COM9", port) != timerlink::OpenResult::Opened ||
            !timerlink::ConfigurePort(port)) {
            std::fprintf(stderr, "cannot open the simulated timer\n");
            return 1;
        }
        timerlink::SendCommand(port, "V");
        timerlink::ReadLine(port);
        timerlink::SendCommand(port, "yub");
        for (int read = 0; read < kReads; ++read) {
            const auto start = std::chrono::steady_clock::now();
            for (const char* query : kQueries) timerlink::SendCommand(port, query);
            readMillis.push_back(
                std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                    .count());
        }
        CloseHandle(port);
    }

    const auto logged = bench::ReadTranscript(transcript);
    fs::remove_all(home);
    std::vector<double> turnaround;
    long long lastOut = -1;
    bool afterReply = false;
    for (const auto& b : logged) {
        if (!b.in) {
            lastOut = b.micros;
            afterReply = true;
        } else if (afterReply) {
            turnaround.push_back(static_cast<double>(b.micros - lastOut));
            afterReply = false;
        }
    }
    if (turnaround.empty()) {
        std::fprintf(stderr, "no exchanges in the transcript\n");
        return 1;
    }
    std::sort(turnaround.begin(), turnaround.end());
    const double mean =
        std::accumulate(turnaround.begin(), turnaround.end(), 0.0) / turnaround.size();
    std::printf(
        "Host turnaround, reply's last byte to next command's first byte (%zu exchanges):\n",
        turnaround.size());
    std::printf("  min %.0f us  median %.0f us  mean %.0f us  max %.0f us\n", turnaround.front(),
                turnaround[turnaround.size() / 2], mean, turnaround.back());
    std::sort(readMillis.begin(), readMillis.end());
    // Six queries of 2 bytes; replies of 6 (T), 4 (F, G, S, D) and 11 (L) bytes with CR LF.
    const double lineMillis = (6 * 2 + 6 + 4 * 4 + 11) * 1000.0 / 960.0;
    std::printf(
        "Settings read (6 queries at 9600 baud), %d runs: median %.1f ms, "
        "line time alone %.1f ms\n",
        kReads, readMillis[readMillis.size() / 2], lineMillis);
    return 0;
}
