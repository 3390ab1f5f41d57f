#include "sim/port_map_entry.h"

#include <unistd.h>

#include <cstdlib>
#include <system_error>

namespace fs = std::filesystem;

namespace sim {

fs::path PortMapDirectoryFromEnvironment() {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    fs::path base;
    if (config != nullptr && config[0] == '/') {
        base = config;
    } else {
        const char* home = std::getenv("HOME");
        base = fs::path(home != nullptr ? home : "/tmp") / ".config";
    }
    return base / "zelvora" / "ports";
}

void PortMapEntry::Publish(const std::string& comName, const std::string& device) {
    Remove();
    const fs::path directory = PortMapDirectoryFromEnvironment();
    fs::create_directories(directory);
    // Made under a private name and renamed into place, so a reader never finds the name
    // missing while a stale link is replaced.
    const fs::path link = directory / comName;
    const fs::path temporary = directory / ("." + comName + ".new" + std::to_string(getpid()));
    std::error_code ignored;
    fs::remove(temporary, ignored);
    fs::create_symlink(device, temporary);
    fs::rename(temporary, link);
    link_ = link;
    device_ = device;
}

void PortMapEntry::Remove() {
    if (link_.empty()) return;
    std::error_code error;
    if (fs::read_symlink(link_, error) == fs::path(device_)) fs::remove(link_, error);
    link_.clear();
    device_.clear();
}

}  // namespace sim
