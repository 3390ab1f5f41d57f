#include "sim/engine.h"

#include <cctype>
#include <cstdio>

namespace sim {
namespace {

bool IsDigit(char byte) {
    return std::isdigit(static_cast<unsigned char>(byte)) != 0;
}
bool IsBit(char byte) {
    return byte == '0' || byte == '1';
}
bool IsModeLetter(char letter) {
    return letter == 'F' || letter == 'G' || letter == 'S' || letter == 'D';
}

constexpr size_t kLanesCommandLength = 9;  // "L00" and six lane characters

bool IsComplete(const std::string& partial) {
    if (partial == "V" || partial == "X" || partial == "yub") return true;
    if (partial.size() == 2 && partial[1] == '?') return true;
    const char first = partial[0];
    if (IsModeLetter(first)) return partial.size() == 2;
    if (first == 'T') return partial.size() == 4;
    if (first == 'L') return partial.size() == kLanesCommandLength;
    return false;
}

std::string Timeout(int seconds) {
    char text[8];
    std::snprintf(text, sizeof text, "T%03d", seconds);
    return text;
}

bool* ModeFlag(TimerState& state, char letter) {
    switch (letter) {
        case 'F':
            return &state.finishMode;
        case 'G':
            return &state.gateMode;
        case 'S':
            return &state.segmentMode;
        case 'D':
            return &state.digitMode;
        default:
            return nullptr;
    }
}

bool Names(const std::set<std::string>& commands, const std::string& command) {
    return commands.contains(command) || commands.contains("*");
}

}  // namespace

std::string LanesText(const TimerState& state) {
    std::string text;
    for (int lane = 6; lane >= 1; --lane) text += state.lanes[lane - 1] ? '1' : '0';
    return text;
}

Engine::Engine(TimerState initial, Quirks quirks) : state_(initial), quirks_(std::move(quirks)) {}

std::string Engine::Receive(char byte) {
    if (lineClosed_) return {};
    if (quirks_.closeAfter && static_cast<int>(commands_.size()) >= *quirks_.closeAfter) {
        // An unplugged adapter: whatever the host sends next goes nowhere.
        lineClosed_ = true;
        return {};
    }
    const std::optional<std::string> command = Recognise(byte);
    if (!command) return {};
    commands_.push_back(*command);
    return Respond(*command);
}

bool Engine::Continues(char byte) const {
    const size_t at = partial_.size();
    if (at == 0) return std::string_view("VXyTFGSDL").find(byte) != std::string_view::npos;
    const char first = partial_[0];
    switch (first) {
        case 'y':
            return (at == 1 && byte == 'u') || (at == 2 && byte == 'b');
        case 'T':
            return IsDigit(byte) || (at == 1 && byte == '?');
        case 'L':
            if (at == 1) return byte == '?' || byte == '0';
            if (at == 2) return byte == '0';
            return IsBit(byte);
        default:
            return IsModeLetter(first) && (byte == '?' || IsBit(byte));
    }
}

std::optional<std::string> Engine::Recognise(char byte) {
    if (!Continues(byte)) {
        // Resynchronise: the byte may begin the next command.
        partial_.clear();
        if (!Continues(byte)) return std::nullopt;
    }
    partial_ += byte;
    if (!IsComplete(partial_)) return std::nullopt;
    std::string command;
    command.swap(partial_);
    return command;
}

std::string Engine::Respond(const std::string& command) {
    std::vector<std::string> lines = Execute(command);
    const int count = static_cast<int>(commands_.size());
    if (quirks_.silent || (quirks_.stopAfter && count > *quirks_.stopAfter)) return {};
    if (Names(quirks_.garbled, command)) {
        for (std::string& line : lines) line = kGarbledReply;
    }
    std::string reply;
    for (const std::string& line : lines) reply += line + "\r\n";
    if (!reply.empty() && Names(quirks_.cutReply, command)) reply.pop_back();
    return reply;
}

std::vector<std::string> Engine::Execute(const std::string& command) {
    if (command == "V") {
        if (quirks_.silentToVersion) return {};
        return {kVersionLine1, kVersionLine2};
    }
    if (command == "X") {
        state_.setupMode = false;
        return {"RACE MODE"};
    }
    if (command == "yub") {
        state_.setupMode = true;
        const int junk = quirks_.neverSetup ? kNeverSetupLines : quirks_.linesBeforeSetup;
        std::vector<std::string> lines(static_cast<size_t>(junk), "BUSY");
        if (!quirks_.neverSetup) lines.push_back(quirks_.lowercaseSetup ? "setup" : "SETUP");
        return lines;
    }
    const bool query = command[1] == '?';
    const bool accepted = !query && state_.setupMode;
    const char letter = command[0];
    if (letter == 'T') {
        const int value = query ? 0 : std::stoi(command.substr(1));
        if (accepted && value <= 255) state_.timeout = value;
        return {Timeout(state_.timeout)};
    }
    if (letter == 'L') {
        if (accepted) {
            for (int lane = 1; lane <= 6; ++lane) {
                state_.lanes[lane - 1] = command[kLanesCommandLength - lane] == '1';
            }
        }
        std::string echo = "L00" + LanesText(state_);
        if (!query && quirks_.wrongLanesEcho) {
            echo = command;
            echo.back() = echo.back() == '1' ? '0' : '1';
        }
        return {echo};
    }
    bool* flag = ModeFlag(state_, letter);
    if (accepted) *flag = command[1] == '1';
    return {std::string{letter} + (*flag ? '1' : '0')};
}

}  // namespace sim
