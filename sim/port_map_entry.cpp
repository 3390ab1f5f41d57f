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
    const fs::path link = PortMapDirectoryFromEnvironment() / comName;
    if (link != link_) Remove();
    fs::create_directories(link.parent_path());
    Place(link, device);
}

void PortMapEntry::Unplug() {
    if (link_.empty()) return;
    try {
        Place(link_, device_ + "-unplugged");
    } catch (const fs::filesystem_error&) {
        // The entry stays as it was: it leads to the closed terminal.
    }
}

void PortMapEntry::Place(const fs::path& link, const std::string& target) {
    // Made under a private name and renamed into place, so a reader never finds the name
    // missing while a stale link is replaced.
    const fs::path temporary =
        link.parent_path() / ("." + link.filename().string() + ".new" + std::to_string(getpid()));
    std::error_code ignored;
    fs::remove(temporary, ignored);
    fs::create_symlink(target, temporary);
    fs::rename(temporary, link);
    link_ = link;
    device_ = target;
}

void PortMapEntry::Remove() {
    if (link_.empty()) return;
    std::error_code error;
    if (fs::read_symlink(link_, error) == fs::path(device_)) fs::remove(link_, error);
    link_.clear();
    device_.clear();
}

}  // namespace sim
