#pragma once
// The byte-level link to the timer: finding ports, opening and configuring one, writing a
// command and reading one reply line. Knows nothing of what the commands mean.

#include <vector>

#include "platform/afx/cstring.h"
#include "platform/comm/comm.h"

namespace timerlink {

// A reply line longer than this without a line feed is abandoned and reads as no answer.
inline constexpr int kMaxReplyLength = 1024;

// Every port from COM1 to COM255 that exists, busy ones included, in probe order.
std::vector<CString> DiscoverPorts();

enum class OpenResult { Opened, Busy, Absent, Denied };

// Opens "\\.\<name>" exclusively. Denied: the port exists but this user may not open it.
OpenResult OpenPort(const CString& portName, HANDLE& handle);

// 9600 baud, 8N1, DTR raised, no flow control, one-byte reads with a 2 s limit.
// Returns false when the handle is not a serial port.
bool ConfigurePort(HANDLE port);

// Reads one reply line: bytes up to LF, every CR dropped. Empty when nothing (or not all of
// a line) arrived within the read limit.
CString ReadLine(HANDLE port);

// Writes exactly the command's bytes (no terminator).
void WriteCommand(HANDLE port, const CString& command);

// Writes the command, then reads the reply line that follows.
CString SendCommand(HANDLE port, const CString& command);

}  // namespace timerlink
