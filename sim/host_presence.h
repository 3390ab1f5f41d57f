#pragma once
// Whether any program has the terminal's device open, followed through the open and close
// events of the device node (inotify).
//
// Why: a serial port opened afresh starts with an empty receive buffer, and what a timer
// sends while no port is open is lost. A pseudo-terminal instead keeps such bytes for the
// next opener, which would then read the answer to the last session's "X" as its first
// reply. The simulator drops its output while no host is there and discards what the last
// host left unread.

#include <string>

namespace sim {

class HostPresence {
  public:
    // Watches the device. Without inotify, a host counts as always present.
    explicit HostPresence(const std::string& device);
    ~HostPresence();
    HostPresence(const HostPresence&) = delete;
    HostPresence& operator=(const HostPresence&) = delete;

    int Fd() const { return fd_; }  // readable when events are queued; -1 when not watching
    bool Present() const { return fd_ < 0 || opens_ > 0; }

    // Reads the queued events. True when a session began or ended among them.
    bool Update();

  private:
    int fd_ = -1;
    int opens_ = 0;
};

}  // namespace sim
