// Applying line settings and time-outs to an open port.

#include <sys/ioctl.h>
#include <termios.h>

#include <cerrno>

#include "platform/comm/comm.h"
#include "platform/comm/errno_map.h"
#include "platform/comm/last_error.h"
#include "platform/comm/line_settings.h"
#include "platform/comm/serial_port.h"

namespace platform::comm {
namespace {

// A pseudo-terminal has no modem lines and refuses these requests; that is no failure.
bool SetDtr(int fd, bool raised) {
    int bits = TIOCM_DTR;
    if (::ioctl(fd, raised ? TIOCMBIS : TIOCMBIC, &bits) == 0) {
        return true;
    }
    return errno == ENOTTY || errno == EINVAL;
}

}  // namespace
}  // namespace platform::comm

BOOL SetCommState(HANDLE hFile, DCB* lpDCB) {
    using namespace platform::comm;
    SerialPort* port = FindPort(hFile);
    if (port == nullptr) {
        return FALSE;
    }
    if (lpDCB == nullptr) {
        return Fail(ERROR_INVALID_PARAMETER);
    }
    termios current{};
    if (::tcgetattr(port->fd, &current) != 0) {
        return Fail(ErrorFromIoErrno(errno));  // not a terminal (ENOTTY), or gone (EIO)
    }
    const auto wanted = TermiosFromDcb(*lpDCB, current);
    if (!wanted) {
        return Fail(ERROR_INVALID_PARAMETER);
    }
    if (::tcsetattr(port->fd, TCSANOW, &*wanted) != 0) {
        return Fail(ErrorFromIoErrno(errno));
    }
    termios actual{};
    if (::tcgetattr(port->fd, &actual) != 0) {
        return Fail(ErrorFromIoErrno(errno));
    }
    if (!SpeedMatches(*wanted, actual)) {
        return Fail(ERROR_INVALID_PARAMETER);
    }
    if (!SetDtr(port->fd, lpDCB->fDtrControl == DTR_CONTROL_ENABLE)) {
        return Fail(ErrorFromIoErrno(errno));
    }
    return TRUE;
}

BOOL SetCommTimeouts(HANDLE hFile, COMMTIMEOUTS* lpCommTimeouts) {
    using namespace platform::comm;
    SerialPort* port = FindPort(hFile);
    if (port == nullptr) {
        return FALSE;
    }
    if (lpCommTimeouts == nullptr) {
        return Fail(ERROR_INVALID_PARAMETER);
    }
    port->timeouts = *lpCommTimeouts;
    return TRUE;
}
