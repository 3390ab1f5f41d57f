#include "tests/support/config_home.h"

#include <cerrno>
#include <cstdlib>
#include <string>
#include <system_error>
#include <vector>

namespace test_support {
namespace fs = std::filesystem;

ScopedConfigHome::ScopedConfigHome() {
    const fs::path base = fs::temp_directory_path();
    std::string pattern = (base / "zelvora-config-XXXXXX").string();
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    if (::mkdtemp(buffer.data()) == nullptr) {
        throw std::system_error(errno, std::generic_category(), "mkdtemp " + pattern);
    }
    path_ = buffer.data();
    if (const char* old = std::getenv("XDG_CONFIG_HOME"); old != nullptr) {
        previous_ = old;
    }
    ::setenv("XDG_CONFIG_HOME", path_.c_str(), 1);
}

ScopedConfigHome::~ScopedConfigHome() {
    if (previous_) {
        ::setenv("XDG_CONFIG_HOME", previous_->c_str(), 1);
    } else {
        ::unsetenv("XDG_CONFIG_HOME");
    }
    std::error_code ignored;
    fs::remove_all(path_, ignored);
}

fs::path ScopedConfigHome::PortMapDirectory() const {
    const fs::path dir = path_ / "zelvora" / "ports";
    fs::create_directories(dir);
    return dir;
}

void ScopedConfigHome::MapPort(const std::string& name, const fs::path& target) const {
    const fs::path link = PortMapDirectory() / name;
    fs::remove(link);
    fs::create_symlink(target, link);
}

void ScopedConfigHome::MaskPort(const std::string& name) const {
    // A target inside our own fresh directory that nobody creates.
    MapPort(name, path_ / "masked" / name);
}

void ScopedConfigHome::MaskSerialConsolePorts() const {
    for (int n = 1; n <= 32; ++n) {
        MaskPort("COM" + std::to_string(n));
    }
}

}  // namespace test_support
