#include "sim/transcript.h"

#include <cerrno>
#include <cstring>
#include <stdexcept>

namespace sim {

Transcript::~Transcript() {
    if (file_ != nullptr) std::fclose(file_);
}

void Transcript::Open(const std::string& path) {
    file_ = std::fopen(path.c_str(), "w");
    if (file_ == nullptr) {
        throw std::runtime_error("cannot write transcript " + path + ": " + std::strerror(errno));
    }
}

void Transcript::Log(std::chrono::steady_clock::time_point when, Direction direction, char byte) {
    if (file_ == nullptr) return;
    const auto micros =
        std::chrono::duration_cast<std::chrono::microseconds>(when.time_since_epoch()).count();
    const auto value = static_cast<unsigned char>(byte);
    const char* name = direction == Direction::In ? "in" : "out";
    if (value > 0x20 && value < 0x7f) {
        std::fprintf(file_, "%lld %s %02X %c\n", static_cast<long long>(micros), name, value,
                     value);
    } else {
        std::fprintf(file_, "%lld %s %02X\n", static_cast<long long>(micros), name, value);
    }
}

void Transcript::Flush() {
    if (file_ != nullptr) std::fflush(file_);
}

}  // namespace sim
