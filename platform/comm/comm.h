#pragma once
// The serial-port calls the program makes, provided on POSIX termios.
//
// Principles:
// - A device name "\\.\NAME" is resolved through the port map (see port_map.h); an absolute
//   /dev path is taken as it is.
// - Share mode 0 is exclusive against every other opener, root included.
// - Every failing call sets the calling thread's last error; a succeeding call leaves it alone.
// - Reads wait in the kernel and honour COMMTIMEOUTS; writes never block for ever.

#include "platform/wintypes.h"

struct SerialPort;  // the object behind a HANDLE; private to the layer
using HANDLE = SerialPort*;
inline HANDLE const INVALID_HANDLE_VALUE = reinterpret_cast<HANDLE>(static_cast<std::intptr_t>(-1));

using LPSECURITY_ATTRIBUTES = void*;
using LPOVERLAPPED = void*;

inline constexpr DWORD GENERIC_READ = 0x80000000u;
inline constexpr DWORD GENERIC_WRITE = 0x40000000u;
inline constexpr DWORD OPEN_EXISTING = 3;

inline constexpr DWORD ERROR_FILE_NOT_FOUND = 2;
inline constexpr DWORD ERROR_INVALID_HANDLE = 6;
inline constexpr DWORD ERROR_ACCESS_DENIED = 5;
inline constexpr DWORD ERROR_GEN_FAILURE = 31;
inline constexpr DWORD ERROR_SHARING_VIOLATION = 32;
inline constexpr DWORD ERROR_INVALID_PARAMETER = 87;
inline constexpr DWORD ERROR_TIMEOUT = 1460;

inline constexpr BYTE NOPARITY = 0;
inline constexpr BYTE ODDPARITY = 1;
inline constexpr BYTE EVENPARITY = 2;
inline constexpr BYTE ONESTOPBIT = 0;
inline constexpr BYTE TWOSTOPBITS = 2;
inline constexpr DWORD DTR_CONTROL_DISABLE = 0;
inline constexpr DWORD DTR_CONTROL_ENABLE = 1;

// Line settings. Only the fields the program sets are provided.
struct DCB {
    DWORD DCBlength = 0;
    DWORD BaudRate = 0;
    DWORD fBinary : 1 = 0;
    DWORD fParity : 1 = 0;
    DWORD fOutxCtsFlow : 1 = 0;
    DWORD fOutxDsrFlow : 1 = 0;
    DWORD fDtrControl : 2 = 0;
    DWORD fDsrSensitivity : 1 = 0;
    DWORD fOutX : 1 = 0;
    DWORD fInX : 1 = 0;
    DWORD fNull : 1 = 0;
    DWORD fAbortOnError : 1 = 0;
    BYTE ByteSize = 0;
    BYTE Parity = 0;
    BYTE StopBits = 0;
};

struct COMMTIMEOUTS {
    DWORD ReadIntervalTimeout = 0;
    DWORD ReadTotalTimeoutMultiplier = 0;
    DWORD ReadTotalTimeoutConstant = 0;
    DWORD WriteTotalTimeoutMultiplier = 0;
    DWORD WriteTotalTimeoutConstant = 0;
};

HANDLE CreateFileA(LPCSTR lpFileName, DWORD dwDesiredAccess, DWORD dwShareMode,
                   LPSECURITY_ATTRIBUTES lpSecurityAttributes, DWORD dwCreationDisposition,
                   DWORD dwFlagsAndAttributes, HANDLE hTemplateFile);
BOOL SetCommState(HANDLE hFile, DCB* lpDCB);
BOOL SetCommTimeouts(HANDLE hFile, COMMTIMEOUTS* lpCommTimeouts);
BOOL ReadFile(HANDLE hFile, LPVOID lpBuffer, DWORD nNumberOfBytesToRead,
              LPDWORD lpNumberOfBytesRead, LPOVERLAPPED lpOverlapped);
BOOL WriteFile(HANDLE hFile, LPCVOID lpBuffer, DWORD nNumberOfBytesToWrite,
               LPDWORD lpNumberOfBytesWritten, LPOVERLAPPED lpOverlapped);
BOOL CloseHandle(HANDLE hObject);
DWORD GetLastError();
