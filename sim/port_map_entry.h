#pragma once
// The simulator's entry in the port map: a symbolic link
// $XDG_CONFIG_HOME/zelvora/ports/<COM name> -> /dev/pts/N (XDG_CONFIG_HOME defaults to
// ~/.config), through which the program finds the simulated timer by its COM name.

#include <filesystem>
#include <string>

namespace sim {

// The port map directory of the current environment.
std::filesystem::path PortMapDirectoryFromEnvironment();

class PortMapEntry {
  public:
    PortMapEntry() = default;
    PortMapEntry(const PortMapEntry&) = delete;
    PortMapEntry& operator=(const PortMapEntry&) = delete;
    ~PortMapEntry() { Remove(); }

    // Points <map>/<comName> at `device`, replacing a stale entry of that name. Creates the
    // folders. Throws std::filesystem::filesystem_error when the link cannot be made.
    void Publish(const std::string& comName, const std::string& device);

    // Points the entry at a device that cannot exist, as an adapter pulled out: done before
    // the terminal closes, so that no later terminal given the same number answers to it.
    void Unplug();

    // Removes the link, but only while it still leads to our device: a later simulator that
    // took the same name keeps its entry.
    void Remove();

    const std::filesystem::path& Path() const { return link_; }

  private:
    void Place(const std::filesystem::path& link, const std::string& target);

    std::filesystem::path link_;
    std::string device_;
};

}  // namespace sim
