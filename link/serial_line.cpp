#include "link/serial_line.h"

namespace timerlink {

namespace {

bool MeansPortExists(DWORD error) {
    // Access denied and the two "in use" codes come from a device that is there but that this
    // process may not have right now; anything else means there is no such port.
    return error == ERROR_ACCESS_DENIED || error == ERROR_GEN_FAILURE ||
           error == ERROR_SHARING_VIOLATION;
}

HANDLE OpenDevice(const CString& portName) {
    const CString devicePath = CString("\\\\.\\") + portName;
    return CreateFileA(devicePath, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0,
                       nullptr);
}

}  // namespace

std::vector<CString> DiscoverPorts() {
    std::vector<CString> ports;
    for (int n = 1; n <= 255; ++n) {
        CString name;
        name.Format("COM%d", n);
        HANDLE port = OpenDevice(name);
        if (port != INVALID_HANDLE_VALUE) {
            CloseHandle(port);
            ports.push_back(name);
        } else if (MeansPortExists(GetLastError())) {
            ports.push_back(name);
        }
    }
    return ports;
}

OpenResult OpenPort(const CString& portName, HANDLE& handle) {
    handle = OpenDevice(portName);
    if (handle != INVALID_HANDLE_VALUE) return OpenResult::Opened;
    switch (GetLastError()) {
        case ERROR_ACCESS_DENIED:
            return OpenResult::Denied;
        case ERROR_GEN_FAILURE:
        case ERROR_SHARING_VIOLATION:
            return OpenResult::Busy;
        default:
            return OpenResult::Absent;
    }
}

bool ConfigurePort(HANDLE port) {
    DCB dcb{};
    dcb.DCBlength = sizeof(dcb);
    dcb.BaudRate = 9600;
    dcb.ByteSize = 8;
    dcb.Parity = NOPARITY;
    dcb.StopBits = ONESTOPBIT;
    dcb.fBinary = 1;
    dcb.fParity = 0;
    dcb.fOutxCtsFlow = 0;
    dcb.fOutxDsrFlow = 0;
    dcb.fDtrControl = DTR_CONTROL_ENABLE;
    dcb.fDsrSensitivity = 0;
    dcb.fOutX = 0;
    dcb.fInX = 0;
    dcb.fNull = 0;
    dcb.fAbortOnError = 0;
    // Whatever refuses line settings is not a serial port: nothing may be written to it.
    if (!SetCommState(port, &dcb)) return false;

    // Every read asks for one byte, so each waits at most 1000 * 1 + 1000 ms.
    COMMTIMEOUTS timeouts{};
    timeouts.ReadIntervalTimeout = 1000;
    timeouts.ReadTotalTimeoutMultiplier = 1000;
    timeouts.ReadTotalTimeoutConstant = 1000;
    SetCommTimeouts(port, &timeouts);
    return true;
}

CString ReadLine(HANDLE port) {
    CString line;
    for (;;) {
        char byte = 0;
        DWORD count = 0;
        ReadFile(port, &byte, 1, &count, nullptr);
        // Silence or a failed read abandons the whole line, even what had already arrived;
        // the late bytes then start the next reply.
        if (count != 1) return CString();
        if (byte == '\r') continue;
        if (byte == '\n') return line;
        if (line.GetLength() >= kMaxReplyLength) return CString();
        line += byte;
    }
}

void WriteCommand(HANDLE port, const CString& command) {
    DWORD written = 0;
    WriteFile(port, command.Bytes().data(), static_cast<DWORD>(command.GetLength()), &written,
              nullptr);
}

CString SendCommand(HANDLE port, const CString& command) {
    WriteCommand(port, command);
    return ReadLine(port);
}

}  // namespace timerlink
