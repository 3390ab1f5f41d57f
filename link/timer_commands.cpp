#include "link/timer_commands.h"

#include <climits>
#include <cstdlib>

namespace timerlink {

namespace {

struct ModeTexts {
    char letter;
    const char* whenSet;    // flag 1
    const char* whenClear;  // flag 0
    const char* error;
};

const ModeTexts& TextsOf(Mode mode) {
    // The gate switch reads "ON when gate is closed" for flag 1, as the change question
    // describes the same state.
    static const ModeTexts kFinish{
        'F',
        "Detect finish on pin high (+5v).  Normal state is pin low (GND) when finish line is "
        "illuminated",
        "Detect finish on pin low (GND).  Normal state is pin high (+5v) when finish line is "
        "illuminated",
        "Error reading finish line setting"};
    static const ModeTexts kGate{'G', "Starting gate switch is ON when gate is closed.",
                                 "Starting gate switch is OFF when gate is closed.",
                                 "Error reading starting gate setting"};
    static const ModeTexts kSegment{
        'S', "Segment is on when pin is high (+5v).  Pin low (GND) turns segment off",
        "Segment is on when pin is low (GND).  Pin high (+5v) turns segment off",
        "Error reading segment setting"};
    static const ModeTexts kDigit{
        'D', "Digit is on when pin is high (+5v).  Pin low (GND) turns digit off",
        "Digit is on when pin is low (GND).  Pin high (+5v) turns digit off",
        "Error reading digit setting"};
    switch (mode) {
        case Mode::Finish:
            return kFinish;
        case Mode::Gate:
            return kGate;
        case Mode::Segment:
            return kSegment;
        case Mode::Digit:
            break;
    }
    return kDigit;
}

CString ModeCommand(Mode mode, char suffix) {
    const char text[] = {TextsOf(mode).letter, suffix, '\0'};
    return CString(text);
}

}  // namespace

bool IsSetupConfirmed(const CString& reply) {
    return reply.CompareNoCase(kSetupReply) == 0;
}

int ReadReplyNumber(const CString& reply) {
    const char* text = reply;  // ends at the first NUL
    if (text[0] == '\0' || text[1] == '\0') return 0;
    const long value = std::strtol(text + 1, nullptr, 10);
    if (value > INT_MAX) return INT_MAX;
    if (value < INT_MIN) return INT_MIN;
    return static_cast<int>(value);
}

CString TimeoutCommand(int timeout) {
    CString command;
    command.Format("T%03d", timeout);
    return command;
}

CString ModeQuery(Mode mode) {
    return ModeCommand(mode, '?');
}

CString ModeChangeCommand(Mode mode, BOOL currentFlag) {
    return ModeCommand(mode, currentFlag == 1 ? '0' : '1');
}

void ApplyModeReply(Mode mode, const CString& reply, BOOL& flag, CString& text) {
    const ModeTexts& texts = TextsOf(mode);
    if (reply == ModeCommand(mode, '1')) {
        flag = 1;
        text = texts.whenSet;
    } else if (reply == ModeCommand(mode, '0')) {
        flag = 0;
        text = texts.whenClear;
    } else {
        text = texts.error;
    }
}

CString LanesCommand(const LaneValues& lanes) {
    CString command("L00");
    for (auto lane = lanes.rbegin(); lane != lanes.rend(); ++lane) command += *lane ? '1' : '0';
    return command;
}

void ApplyLanesReply(const CString& reply, const LaneFields& lanes) {
    const std::string_view text = reply.Text();
    if (text.empty() || text[0] != 'L') return;
    // Positions 3 to 8 carry lanes 6 down to 1; each decides only its own lane.
    for (size_t lane = 0; lane < lanes.size(); ++lane) {
        const size_t position = 3 + (lanes.size() - 1 - lane);
        if (position >= text.size()) continue;
        if (text[position] == '1') *lanes[lane] = 1;
        if (text[position] == '0') *lanes[lane] = 0;
    }
}

}  // namespace timerlink
