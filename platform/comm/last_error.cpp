#include "platform/comm/last_error.h"

#include "platform/comm/comm.h"

namespace platform::comm {
namespace {
thread_local DWORD last_error = 0;
}

void SetLastError(DWORD code) {
    last_error = code;
}

BOOL Fail(DWORD code) {
    last_error = code;
    return FALSE;
}

}  // namespace platform::comm

DWORD GetLastError() {
    return platform::comm::last_error;
}
