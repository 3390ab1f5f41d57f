#pragma once
// The options of zelvora-sim, read into the simulator's Options.

#include <string>

#include "sim/engine.h"

namespace sim {

struct CommandLine {
    Options options;
    std::string portName = "COM9";
    bool help = false;
    std::string error;  // set when the arguments cannot be used
};

CommandLine ParseCommandLine(int argc, char* argv[]);

// The --help text.
std::string Usage(const std::string& program);

}  // namespace sim
