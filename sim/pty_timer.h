#pragma once
// A simulated timer serving on a pseudo-terminal of its own, on a thread of its own.
//
// The host opens DevicePath() (or the COM name given to MapAs) as it would a serial port.
// Both ends of the terminal are raw. The object stays inspectable after the timer has dropped
// the line (Quirks::closeAfter): the terminal is gone, the record of what it heard is not.
//
// Setters take effect only in setup mode, as on the timer: a host sends "yub" first, or a
// test starts the timer with TimerState::setupMode set.

#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "sim/engine.h"
#include "sim/host_presence.h"
#include "sim/port_map_entry.h"
#include "sim/transcript.h"

namespace sim {

class PtyTimer {
  public:
    // Opens the terminal and starts serving. Throws std::runtime_error when the terminal,
    // the transcript or the state file cannot be set up.
    explicit PtyTimer(Options options = {});
    ~PtyTimer();
    PtyTimer(const PtyTimer&) = delete;
    PtyTimer& operator=(const PtyTimer&) = delete;

    std::string DevicePath() const;  // /dev/pts/N
    // Publishes the terminal in the port map of the current XDG_CONFIG_HOME under `comName`.
    void MapAs(const std::string& comName);

    std::string ReceivedBytes() const;          // every byte taken off the line, in order
    std::vector<std::string> Commands() const;  // recognised commands, in order
    TimerState State() const;
    void SetState(const TimerState& state);
    // Waits until at least `byteCount` bytes have been taken off the line.
    bool WaitForReceived(size_t byteCount, int timeoutMs) const;
    // True once the timer has dropped the line.
    bool LineClosed() const;
    // Waits until some program has the device open (present) or none has (!present).
    bool WaitForHost(bool present, int timeoutMs) const;

  private:
    void Serve();
    // Hands a byte to the engine; returns the reply to send.
    std::string Take(char byte);
    void SaveIfChanged();  // with mutex_ held
    void CloseLine();

    Options options_;
    int masterFd_ = -1;
    // Our own hold on the terminal's far end: without it the master end reports a hang-up
    // whenever no host has the device open, and the raw settings would be lost between hosts.
    int slaveFd_ = -1;
    std::string devicePath_;
    Transcript transcript_;
    PortMapEntry mapEntry_;
    std::unique_ptr<HostPresence> host_;  // watching from before any host can open the device

    mutable std::mutex mutex_;
    mutable std::condition_variable changed_;  // bytes received or a host came or went
    Engine engine_;
    std::string bytes_;
    TimerState saved_;
    bool closed_ = false;
    bool hostPresent_ = false;

    int wakeFd_ = -1;
    std::thread thread_;
};

}  // namespace sim
