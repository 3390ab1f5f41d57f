#include "sim/state_file.h"

#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <sstream>

namespace sim {
namespace {

bool ParseFlag(const std::string& value, bool& flag) {
    if (value != "0" && value != "1") return false;
    flag = value == "1";
    return true;
}

}  // namespace

std::string FormatState(const TimerState& state) {
    std::ostringstream out;
    out << "timeout=" << state.timeout << '\n'
        << "finish=" << state.finishMode << '\n'
        << "gate=" << state.gateMode << '\n'
        << "segment=" << state.segmentMode << '\n'
        << "digit=" << state.digitMode << '\n'
        << "lanes=" << LanesText(state) << '\n';
    return out.str();
}

void ParseState(const std::string& text, TimerState& state) {
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        const size_t equals = line.find('=');
        if (equals == std::string::npos) continue;
        const std::string key = line.substr(0, equals);
        const std::string value = line.substr(equals + 1);
        if (key == "timeout") {
            if (value.empty() || value.size() > 3 ||
                value.find_first_not_of("0123456789") != std::string::npos)
                continue;
            const int seconds = std::stoi(value);
            if (seconds <= 255) state.timeout = seconds;
        } else if (key == "finish") {
            ParseFlag(value, state.finishMode);
        } else if (key == "gate") {
            ParseFlag(value, state.gateMode);
        } else if (key == "segment") {
            ParseFlag(value, state.segmentMode);
        } else if (key == "digit") {
            ParseFlag(value, state.digitMode);
        } else if (key == "lanes") {
            if (value.size() != 6 || value.find_first_not_of("01") != std::string::npos) continue;
            for (int lane = 1; lane <= 6; ++lane) state.lanes[lane - 1] = value[6 - lane] == '1';
        }
    }
}

bool LoadStateFile(const std::string& path, TimerState& state) {
    std::ifstream in(path);
    if (!in) return false;
    std::ostringstream text;
    text << in.rdbuf();
    ParseState(text.str(), state);
    return true;
}

bool SaveStateFile(const std::string& path, const TimerState& state) {
    const std::string temporary = path + ".tmp" + std::to_string(getpid());
    {
        std::ofstream out(temporary, std::ios::trunc);
        if (!out) return false;
        out << FormatState(state);
        out.flush();
        if (!out) {
            std::remove(temporary.c_str());
            return false;
        }
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}

}  // namespace sim
