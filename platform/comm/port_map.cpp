// Resolves the program's COM-style names to Linux device paths.

#include "platform/comm/port_map.h"

#include <pwd.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <string_view>
#include <system_error>
#include <vector>

namespace platform::comm {
namespace fs = std::filesystem;
namespace {

struct DefaultRange {
    int first;        // first COM number of the range
    const char* dev;  // device prefix; COM first maps to index 0
};
constexpr std::array<DefaultRange, 3> kDefaults{{
    {1, "/dev/ttyS"},
    {33, "/dev/ttyUSB"},
    {65, "/dev/ttyACM"},
}};
constexpr int kDevicesPerRange = 32;

char Lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char x, char y) { return Lower(x) == Lower(y); });
}

fs::path HomeDirectory() {
    if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') {
        return home;
    }
    if (const passwd* entry = getpwuid(geteuid()); entry != nullptr && entry->pw_dir != nullptr) {
        return entry->pw_dir;
    }
    return {};
}

// "COM" and a number without leading zeros; 0 when the name is not of that form.
int ComNumber(std::string_view name) {
    if (name.size() < 4 || name.size() > 6 || !EqualNoCase(name.substr(0, 3), "com") ||
        name[3] == '0') {
        return 0;
    }
    int number = 0;
    for (char c : name.substr(3)) {
        if (c < '0' || c > '9') {
            return 0;
        }
        number = number * 10 + (c - '0');
    }
    return number;
}

std::optional<std::string> DefaultDevice(std::string_view name) {
    const int number = ComNumber(name);
    for (const auto& range : kDefaults) {
        if (number >= range.first && number < range.first + kDevicesPerRange) {
            return std::string(range.dev) + std::to_string(number - range.first);
        }
    }
    return std::nullopt;
}

// The map entry for the name. An entry spelled exactly like the name wins over one that
// differs only in case; among the latter the first in text order wins, so the choice
// never depends on directory order.
std::optional<fs::path> FindMapEntry(std::string_view name) {
    const fs::path dir = PortMapDirectory();
    if (dir.empty()) {
        return std::nullopt;
    }
    std::error_code ec;
    std::vector<fs::path> matches;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string entry = it->path().filename().string();
        if (entry == name) {
            return it->path();
        }
        if (EqualNoCase(entry, name)) {
            matches.push_back(it->path());
        }
    }
    if (matches.empty()) {
        return std::nullopt;
    }
    return *std::min_element(matches.begin(), matches.end());
}

// A typed path: only an absolute path that stays under /dev names a device.
std::optional<std::string> DevicePath(std::string_view name) {
    if (name.find('\\') != std::string_view::npos) {
        return std::nullopt;
    }
    const fs::path path = fs::path(name).lexically_normal();
    auto part = path.begin();
    if (!path.is_absolute() || !path.has_filename() ||
        std::distance(path.begin(), path.end()) < 3 || (++part)->string() != "dev") {
        return std::nullopt;
    }
    return path.string();
}

}  // namespace

fs::path PortMapDirectory() {
    fs::path base;
    // A relative XDG_CONFIG_HOME is invalid and ignored, as the base directory rules say.
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg != nullptr && xdg[0] == '/') {
        base = xdg;
    } else if (fs::path home = HomeDirectory(); !home.empty()) {
        base = home / ".config";
    } else {
        return {};
    }
    return base / "zelvora" / "ports";
}

std::optional<std::string> ResolvePortName(const std::string& name) {
    if (name.empty()) {
        return std::nullopt;
    }
    if (name.find_first_of("/\\") != std::string::npos) {
        return DevicePath(name);
    }
    if (const auto entry = FindMapEntry(name)) {
        // A dangling link fails here, and so hides the built-in default on purpose.
        std::error_code ec;
        fs::path target = fs::canonical(*entry, ec);
        if (ec) {
            return std::nullopt;
        }
        return target.string();
    }
    return DefaultDevice(name);
}

}  // namespace platform::comm
