#pragma once
// The timer's command set: every command the program sends, and how each reply turns into
// the settings the window holds and the sentence it shows. Pure text in, text out.

#include <array>

#include "platform/afx/cstring.h"

namespace timerlink {

inline constexpr const char* kVersionProbe = "V";
inline constexpr const char* kLeaveSetup = "X";
inline constexpr const char* kEnterSetup = "yub";
inline constexpr const char* kSetupReply = "SETUP";
inline constexpr const char* kTimeoutQuery = "T?";
inline constexpr const char* kLanesQuery = "L?";

// Whether a reply to "yub" confirms setup mode ("SETUP", in any case).
bool IsSetupConfirmed(const CString& reply);

// The number a reply carries, read from its second character on: white space skipped, an
// optional sign, then digits. No digits, or a reply shorter than two characters, reads as 0.
// Digits beyond the range of int saturate at the nearest limit.
int ReadReplyNumber(const CString& reply);

// "T%03d": T005, T255, T000.
CString TimeoutCommand(int timeout);

// The four modes, each a flag the timer reports as "<letter>1" or "<letter>0".
enum class Mode { Finish, Gate, Segment, Digit };

CString ModeQuery(Mode mode);
// The command that switches the mode away from its current flag: "F0" when the flag is 1.
CString ModeChangeCommand(Mode mode, BOOL currentFlag);
// Applies a reply to a mode query: a recognised reply sets the flag and its sentence; anything
// else keeps the flag and shows the mode's error sentence.
void ApplyModeReply(Mode mode, const CString& reply, BOOL& flag, CString& text);

// Lanes, lane 1 first. The wire carries them lane 6 first: "L00" + lanes 6..1.
inline constexpr int kLaneCount = 6;
using LaneValues = std::array<BOOL, kLaneCount>;
using LaneFields = std::array<BOOL*, kLaneCount>;
CString LanesCommand(const LaneValues& lanes);
// A reply beginning with "L" sets each lane whose position holds '1' or '0'; any other
// character, or a position past the end, leaves that lane as it was.
void ApplyLanesReply(const CString& reply, const LaneFields& lanes);

}  // namespace timerlink
