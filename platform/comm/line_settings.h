#pragma once
// Translation of the program's line settings (DCB) into terminal settings.
//
// Kept apart from the calls that apply them so the translation reads as one table.
// Settings this platform cannot honour (DSR flow control, discarding NULs, 1.5 stop bits,
// DTR handshaking, unknown speeds) are refused rather than silently dropped.

#include <termios.h>

#include <optional>

#include "platform/comm/comm.h"

namespace platform::comm {

std::optional<speed_t> SpeedFromBaudRate(DWORD baud_rate);

// The terminal settings for dcb, starting from the device's current ones; nothing when the
// DCB asks for something that cannot be done here.
std::optional<termios> TermiosFromDcb(const DCB& dcb, const termios& current);

// Whether the speed read back is the one asked for: a driver may quietly keep an old speed
// it cannot do. Character size and parity are not compared, since a pseudo-terminal always
// reports 8 bits without parity whatever it was given, and it is still a good line.
bool SpeedMatches(const termios& wanted, const termios& actual);

}  // namespace platform::comm
