#pragma once
// The race timer's protocol engine: bytes in, bytes out, the timer's settings and a set of
// misbehaviours. It knows nothing of clocks, files or terminals, so every rule of the protocol
// can be checked by feeding it bytes.
//
// Commands arrive without terminators, so they are recognised from the bytes as they come.
// A byte that cannot continue the command begun so far drops that partial command and is
// taken again as the possible start of a new one; bytes that start nothing are dropped.
//
// Setters (T###, F0/F1, G0/G1, S0/S1, D0/D1, L00xxxxxx) change the settings only in setup
// mode ("yub" enters it, "X" leaves it). Outside setup mode a setter is answered like the
// matching query, with the value the timer still holds, so a host that skipped "yub" sees
// its change refused rather than silently lost.

#include <array>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace sim {

// What the timer remembers. Each mode flag is true when the timer reports '1' for it
// (F1: finish on pin high, S1: segment on when pin high, D1: digit on when pin high,
// G1: the gate sense the host calls mode 1).
struct TimerState {
    int timeout = 30;  // race timeout in seconds, 0..255
    bool finishMode = true;
    bool gateMode = true;
    bool segmentMode = true;
    bool digitMode = false;
    std::array<bool, 6> lanes{true, true, true, true, true, true};  // lanes[0] is lane 1
    bool setupMode = false;  // a session matter: not kept across runs

    bool operator==(const TimerState&) const = default;
};

// The six lane characters as sent on the wire: lane 6 first, '1' for active.
std::string LanesText(const TimerState& state);

// Ways the timer can misbehave, each off by default. A command named in a set is its full
// text as recognised ("F?", "yub", "L00111111"); "*" stands for every command.
struct Quirks {
    bool silent = false;             // never answers anything
    bool silentToVersion = false;    // "V" gets no answer; "X" still answers
    bool lowercaseSetup = false;     // "yub" answers "setup"
    int linesBeforeSetup = 0;        // that many other lines come before "SETUP"
    bool neverSetup = false;         // "yub" gets kNeverSetupLines junk lines, no "SETUP"
    std::set<std::string> garbled;   // these get an unrecognisable reply
    bool wrongLanesEcho = false;     // the lanes setter's echo differs from the command
    std::optional<int> stopAfter;    // answers the first N commands, then falls silent
    std::optional<int> closeAfter;   // answers N commands; the next byte closes the line
    std::set<std::string> cutReply;  // these replies stop before their line feed
    int byteDelayMs = 0;             // extra delay before each sent byte (the transport's)
};

// Enough junk lines to satisfy a host that reads one reply and four further lines.
inline constexpr int kNeverSetupLines = 5;

inline constexpr const char* kVersionLine1 = "ZELVORA TIMER ZT-6 SIXLANE";
inline constexpr const char* kVersionLine2 = "FIRMWARE 2.07 (SIMULATED)";
inline constexpr const char* kGarbledReply = "?#ERR";

// Everything a simulated timer starts with: the engine's part and the line's.
struct Options {
    TimerState initial;  // the settings when no state file is given or readable
    Quirks quirks;
    bool paced = false;          // hold both directions to 9600 baud, 8N1
    std::string stateFile;       // when set: read at start, rewritten on every change
    std::string transcriptFile;  // when set: every byte in and out, timestamped
};

class Engine {
  public:
    explicit Engine(TimerState initial = {}, Quirks quirks = {});

    // Takes one byte off the line; returns the bytes the timer sends in answer (often none).
    std::string Receive(char byte);

    // True once the timer has dropped the line (Quirks::closeAfter); it then takes no bytes.
    bool LineClosed() const { return lineClosed_; }

    const TimerState& State() const { return state_; }
    void SetState(const TimerState& state) { state_ = state; }
    const Quirks& GetQuirks() const { return quirks_; }

    // Every recognised command, in order of arrival.
    const std::vector<std::string>& Commands() const { return commands_; }

  private:
    // Extends the partial command with the byte: a whole command, or nothing yet.
    std::optional<std::string> Recognise(char byte);
    bool Continues(char byte) const;
    // The reply lines for a whole command, applying it to the state.
    std::vector<std::string> Execute(const std::string& command);
    std::string Respond(const std::string& command);

    TimerState state_;
    Quirks quirks_;
    std::string partial_;
    std::vector<std::string> commands_;
    bool lineClosed_ = false;
};

}  // namespace sim
