#pragma once
// Holds a byte stream to the pace of a 9600 baud, 8N1 line: ten bit times, about 1.0417 ms,
// a byte. Byte k of a burst is booked at t0 + k * byte time, computed from the burst's start
// rather than added up, so a long burst does not drift from the line's rate.

#include <algorithm>
#include <chrono>
#include <cstdint>

namespace sim {

class LinePacer {
  public:
    using Clock = std::chrono::steady_clock;
    static constexpr std::int64_t kBaud = 9600;
    static constexpr std::int64_t kBitsPerByte = 10;  // start bit, 8 data bits, stop bit

    explicit LinePacer(bool paced) : paced_(paced) {}

    // Books the next byte, ready to go at `ready`: returns when its last bit has crossed the
    // line. An unpaced line takes it at once.
    Clock::time_point Book(Clock::time_point ready) {
        if (!paced_) return ready;
        if (count_ == 0 || ready > SlotStart(count_)) {
            // The line went idle: a new burst starts when this byte is ready.
            burstStart_ = ready;
            count_ = 0;
        }
        ++count_;
        return SlotStart(count_);
    }

    bool Paced() const { return paced_; }

    // How long one byte occupies the line (none when unpaced).
    std::chrono::nanoseconds ByteTime() const {
        return std::chrono::nanoseconds(paced_ ? kBitsPerByte * 1'000'000'000 / kBaud : 0);
    }

  private:
    Clock::time_point SlotStart(std::int64_t k) const {
        const std::int64_t nanos = k * kBitsPerByte * 1'000'000'000 / kBaud;
        return burstStart_ + std::chrono::nanoseconds(nanos);
    }

    bool paced_;
    Clock::time_point burstStart_{};
    std::int64_t count_ = 0;
};

}  // namespace sim
