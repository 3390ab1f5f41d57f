#pragma once
// Where a COM-style port name leads on Linux.
//
// Order of resolution for "NAME" (the part after "\\.\", compared without case):
// 1. an entry in the port map directory $XDG_CONFIG_HOME/zelvora/ports/ (default ~/.config):
//    a symbolic link named like COM9 pointing at a terminal device; a dangling link means
//    "not found" and hides the built-in default;
// 2. the built-in defaults COM1-COM32 -> /dev/ttyS0-31, COM33-COM64 -> /dev/ttyUSB0-31,
//    COM65-COM96 -> /dev/ttyACM0-31.
// An absolute path under /dev is taken as it is; any other name with a '/' is not found.

#include <filesystem>
#include <optional>
#include <string>

namespace platform::comm {

std::filesystem::path PortMapDirectory();

// The device path NAME designates, or nothing when it designates no device.
std::optional<std::string> ResolvePortName(const std::string& name);

}  // namespace platform::comm
