#pragma once
// The calling thread's last error. Only a failing call sets it; a succeeding call leaves
// whatever an earlier failure left there, as the program expects of GetLastError.

#include "platform/wintypes.h"

namespace platform::comm {

void SetLastError(DWORD code);

// Sets the last error and returns FALSE, for the common "fail with this code" exit.
BOOL Fail(DWORD code);

}  // namespace platform::comm
