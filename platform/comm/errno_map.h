#pragma once
// The one place where the kernel's errno values become the ERROR_* codes the program sees.
//
// Opening and data transfer get separate tables because the same errno means different
// things: EIO from open() is a serial port with no hardware behind it ("not found"), while
// EIO from read() or write() is a device that went away while open.

#include "platform/wintypes.h"

namespace platform::comm {

DWORD ErrorFromOpenErrno(int err);
DWORD ErrorFromIoErrno(int err);

}  // namespace platform::comm
