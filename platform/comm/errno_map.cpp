#include "platform/comm/errno_map.h"

#include <cerrno>

#include "platform/comm/comm.h"

namespace platform::comm {
namespace {

// Codes the program never tests for but which say more than a generic failure.
constexpr DWORD kErrorInvalidFunction = 1;
constexpr DWORD kErrorTooManyOpenFiles = 4;
constexpr DWORD kErrorNotEnoughMemory = 8;

}  // namespace

DWORD ErrorFromOpenErrno(int err) {
    switch (err) {
        case EBUSY:
        case EWOULDBLOCK:  // the advisory lock is held by another opener
            return ERROR_SHARING_VIOLATION;
        case EACCES:
        case EPERM:
            return ERROR_ACCESS_DENIED;
        case ENOENT:
        case ENXIO:
        case ENODEV:
        case EIO:  // a serial port name with no UART behind it
        case ENOTDIR:
        case ELOOP:
        case ENAMETOOLONG:
            return ERROR_FILE_NOT_FOUND;
        case EMFILE:
        case ENFILE:
            return kErrorTooManyOpenFiles;
        case ENOMEM:
            return kErrorNotEnoughMemory;
        case EINVAL:
            return ERROR_INVALID_PARAMETER;
        default:
            return ERROR_GEN_FAILURE;
    }
}

DWORD ErrorFromIoErrno(int err) {
    switch (err) {
        case EBADF:
            return ERROR_INVALID_HANDLE;
        case ENOTTY:  // a terminal request on something that is not a terminal
            return kErrorInvalidFunction;
        case EINVAL:
            return ERROR_INVALID_PARAMETER;
        case EAGAIN:
        case ETIMEDOUT:
            return ERROR_TIMEOUT;
        case ENOMEM:
            return kErrorNotEnoughMemory;
        default:  // EIO, ENXIO, ENODEV: the device is gone or not working
            return ERROR_GEN_FAILURE;
    }
}

}  // namespace platform::comm
