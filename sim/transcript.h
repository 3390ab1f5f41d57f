#pragma once
// A log of every byte that crosses the line, for measuring the host's timing afterwards.
// One line per byte:
//
//   <microseconds> <in|out> <hex byte> [<character>]
//   84467125013 in 56 V
//   84467126057 out 0D
//
// The time is CLOCK_MONOTONIC in microseconds; "in" bytes are stamped when the timer starts
// taking them off the line, "out" bytes when they leave the timer's end of the line. The
// character column appears for printable bytes other than space.

#include <chrono>
#include <cstdio>
#include <string>

namespace sim {

class Transcript {
  public:
    enum class Direction { In, Out };

    Transcript() = default;
    Transcript(const Transcript&) = delete;
    Transcript& operator=(const Transcript&) = delete;
    ~Transcript();

    // Starts a new file (truncating). Throws std::runtime_error when it cannot be opened.
    void Open(const std::string& path);
    bool IsOpen() const { return file_ != nullptr; }

    void Log(std::chrono::steady_clock::time_point when, Direction direction, char byte);
    void Flush();

  private:
    std::FILE* file_ = nullptr;
};

}  // namespace sim
