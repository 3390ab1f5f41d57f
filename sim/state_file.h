#pragma once
// The timer's memory across runs: a small text file of "key=value" lines.
//
//   timeout=30
//   finish=1
//   gate=1
//   segment=1
//   digit=0
//   lanes=111111      (lane 6 first, as on the wire)
//
// Setup mode is not kept: a timer always wakes up outside it.

#include <string>

#include "sim/engine.h"

namespace sim {

std::string FormatState(const TimerState& state);

// Applies the lines it understands to `state`; unknown keys and bad values are skipped.
void ParseState(const std::string& text, TimerState& state);

// Reads the file into `state`. False (state untouched) when the file cannot be read.
bool LoadStateFile(const std::string& path, TimerState& state);

// Writes the file through a temporary file and a rename, so a reader never sees half of it.
bool SaveStateFile(const std::string& path, const TimerState& state);

}  // namespace sim
