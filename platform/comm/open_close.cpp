// Opening and closing a port: name resolution, the device checks and exclusive access.

#include <fcntl.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <string_view>

#include "platform/comm/comm.h"
#include "platform/comm/errno_map.h"
#include "platform/comm/last_error.h"
#include "platform/comm/port_map.h"
#include "platform/comm/serial_port.h"

namespace platform::comm {
namespace {

constexpr std::string_view kDevicePrefix = R"(\\.\)";

HANDLE FailOpen(DWORD code) {
    SetLastError(code);
    return INVALID_HANDLE_VALUE;
}

HANDLE FailOpenAndClose(int fd, DWORD code) {
    ::close(fd);
    return FailOpen(code);
}

// Share mode 0 is exclusive against everyone. TIOCEXCL alone does not stop root, so an
// advisory lock on the device backs it; any other share mode takes a shared lock, which
// still collides with an exclusive holder.
DWORD TakeDevice(int fd, DWORD share_mode, bool& exclusive) {
    const int kind = share_mode == 0 ? LOCK_EX : LOCK_SH;
    if (::flock(fd, kind | LOCK_NB) != 0) {
        return ErrorFromOpenErrno(errno);
    }
    // Not every character device is a terminal (/dev/null is not); those go without it.
    exclusive = share_mode == 0 && ::ioctl(fd, TIOCEXCL) == 0;
    return 0;
}

}  // namespace
}  // namespace platform::comm

HANDLE CreateFileA(LPCSTR lpFileName, DWORD /*dwDesiredAccess*/, DWORD dwShareMode,
                   LPSECURITY_ATTRIBUTES /*lpSecurityAttributes*/, DWORD dwCreationDisposition,
                   DWORD /*dwFlagsAndAttributes*/, HANDLE /*hTemplateFile*/) {
    using namespace platform::comm;
    // A device is only ever opened, never created; every open is for reading and writing.
    if (lpFileName == nullptr || dwCreationDisposition != OPEN_EXISTING) {
        return FailOpen(ERROR_INVALID_PARAMETER);
    }
    std::string_view name = lpFileName;
    if (name.starts_with(kDevicePrefix)) {
        name.remove_prefix(kDevicePrefix.size());
    }
    const auto device = ResolvePortName(std::string(name));
    if (!device) {
        return FailOpen(ERROR_FILE_NOT_FOUND);
    }
    // Checked before opening so that nothing else (a FIFO, a file) is ever opened.
    struct stat info {};
    if (::stat(device->c_str(), &info) != 0) {
        return FailOpen(ErrorFromOpenErrno(errno));
    }
    if (!S_ISCHR(info.st_mode)) {
        return FailOpen(ERROR_FILE_NOT_FOUND);
    }
    // No controlling terminal, and no wait for carrier on adapters that would block here.
    const int fd = ::open(device->c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return FailOpen(ErrorFromOpenErrno(errno));
    }
    if (::fstat(fd, &info) != 0 || !S_ISCHR(info.st_mode)) {
        return FailOpenAndClose(fd, ERROR_FILE_NOT_FOUND);
    }
    bool exclusive = false;
    if (const DWORD error = TakeDevice(fd, dwShareMode, exclusive); error != 0) {
        return FailOpenAndClose(fd, error);
    }
    // A freshly opened serial port holds nothing from before it was opened; a pseudo-terminal
    // would still hold what its last user left unread.
    if (exclusive) {
        ::tcflush(fd, TCIOFLUSH);
    }
    auto port = std::make_unique<SerialPort>();
    port->fd = fd;
    port->device = *device;
    port->exclusive = exclusive;
    return AdoptPort(std::move(port));
}

BOOL CloseHandle(HANDLE hObject) {
    using namespace platform::comm;
    const auto port = ReleasePort(hObject);
    if (!port) {
        return FALSE;
    }
    if (port->exclusive) {
        // The flag lives on the terminal, not on our descriptor: leave it as we found it.
        ::ioctl(port->fd, TIOCNXCL);
    }
    ::close(port->fd);  // also drops the advisory lock
    return TRUE;
}
