#pragma once
// Test support: a private configuration home, and with it a private port map, for one test.
//
// ScopedConfigHome makes a fresh temporary directory and points XDG_CONFIG_HOME at it for as
// long as the object lives; the destructor restores the previous value (or unsets it) and
// removes the directory. Everything kept per user (the port map, the settings store) lands
// inside, so tests running side by side never see each other's files or COM names.
//
//   ScopedConfigHome home;
//   home.MaskSerialConsolePorts();          // COM1-COM32 no longer reach /dev/ttyS*
//   home.MapPort("COM7", pty.SlavePath());  // COM7 now opens the pseudo-terminal
//
// Set-up failures throw std::system_error, which fails the test that made the object.
// Keep one per test; if they nest, they must end in reverse order.

#include <filesystem>
#include <optional>
#include <string>

namespace test_support {

class ScopedConfigHome {
  public:
    ScopedConfigHome();
    ~ScopedConfigHome();
    ScopedConfigHome(const ScopedConfigHome&) = delete;
    ScopedConfigHome& operator=(const ScopedConfigHome&) = delete;

    // The temporary directory that XDG_CONFIG_HOME names.
    const std::filesystem::path& Path() const { return path_; }

    // <Path()>/zelvora/ports, created on first use.
    std::filesystem::path PortMapDirectory() const;

    // Makes NAME (e.g. "COM7") a symbolic link to target, replacing any entry of that name.
    void MapPort(const std::string& name, const std::filesystem::path& target) const;

    // Makes NAME a dangling link: the port is "not found", its built-in default hidden.
    void MaskPort(const std::string& name) const;

    // Masks COM1-COM32, whose defaults are /dev/ttyS0-31 (ttyS0 may be the kernel console).
    void MaskSerialConsolePorts() const;

  private:
    std::filesystem::path path_;
    std::optional<std::string> previous_;
};

}  // namespace test_support
