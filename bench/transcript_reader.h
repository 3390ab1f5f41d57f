#pragma once
// Reads a zelvora-sim transcript ("<microseconds> <in|out> <hex byte> [<char>]" per line)
// back into bytes with their times, ordered by time.

#include <algorithm>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace bench {

struct LoggedByte {
    long long micros = 0;
    bool in = false;  // host to timer
    char byte = 0;
};

inline std::vector<LoggedByte> ReadTranscript(const std::string& path) {
    std::vector<LoggedByte> bytes;
    std::ifstream file(path);
    std::string line;
    while (std::getline(file, line)) {
        std::istringstream fields(line);
        LoggedByte logged;
        std::string direction;
        unsigned value = 0;
        if (!(fields >> logged.micros >> direction >> std::hex >> value)) continue;
        logged.in = direction == "in";
        logged.byte = static_cast<char>(value);
        bytes.push_back(logged);
    }
    std::stable_sort(bytes.begin(), bytes.end(),
                     [](const LoggedByte& a, const LoggedByte& b) { return a.micros < b.micros; });
    return bytes;
}

// Bytes per second from the times the bytes were seen: the inverse of the least-squares slope
// of time over byte index, so that one late wake-up at either end does not skew the figure.
inline double FittedRate(const std::vector<double>& seconds) {
    const double n = static_cast<double>(seconds.size());
    if (seconds.size() < 2) return 0;
    double sumK = 0, sumT = 0, sumKK = 0, sumKT = 0;
    for (size_t k = 0; k < seconds.size(); ++k) {
        const double x = static_cast<double>(k);
        sumK += x;
        sumT += seconds[k];
        sumKK += x * x;
        sumKT += x * seconds[k];
    }
    const double slope = (n * sumKT - sumK * sumT) / (n * sumKK - sumK * sumK);
    return slope > 0 ? 1.0 / slope : 0;
}

// The fitted rate of the bytes of one direction.
inline double RateOf(const std::vector<LoggedByte>& bytes, bool in) {
    std::vector<double> seconds;
    for (const LoggedByte& logged : bytes) {
        if (logged.in == in) seconds.push_back(static_cast<double>(logged.micros) / 1e6);
    }
    return FittedRate(seconds);
}

}  // namespace bench
