#pragma once
// The object behind a HANDLE, private to the serial layer, and the table of open ports.
//
// Every public call looks its handle up in the table first, so a handle that was never
// opened, or was closed already, fails with ERROR_INVALID_HANDLE instead of touching
// memory that is gone. A handle must not be closed while another thread is using it.

#include <memory>
#include <string>

#include "platform/comm/comm.h"

struct SerialPort {
    int fd = -1;
    std::string device;      // the path that was opened
    bool exclusive = false;  // TIOCEXCL was set and is cleared again on close
    COMMTIMEOUTS timeouts{};
};

namespace platform::comm {

HANDLE AdoptPort(std::unique_ptr<SerialPort> port);

// The open port behind the handle, or nullptr with the last error set.
SerialPort* FindPort(HANDLE handle);

// Takes the port out of the table; nullptr with the last error set when it is not there.
std::unique_ptr<SerialPort> ReleasePort(HANDLE handle);

}  // namespace platform::comm
