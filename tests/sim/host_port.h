#pragma once
// A port opened by COM name through the project's serial layer, as the program opens one,
// closed again when the test is done with it.

#include <gtest/gtest.h>

#include <string>

#include "link/serial_line.h"

namespace sim_test {

class HostPort {
  public:
    explicit HostPort(const std::string& comName) {
        result_ = timerlink::OpenPort(CString(comName.c_str()), handle_);
        if (result_ == timerlink::OpenResult::Opened)
            configured_ = timerlink::ConfigurePort(handle_);
    }
    ~HostPort() {
        if (IsOpen()) CloseHandle(handle_);
    }
    HostPort(const HostPort&) = delete;
    HostPort& operator=(const HostPort&) = delete;

    bool IsOpen() const { return result_ == timerlink::OpenResult::Opened; }
    bool Configured() const { return configured_; }
    timerlink::OpenResult Result() const { return result_; }

    std::string Send(const std::string& command) {
        return std::string(timerlink::SendCommand(handle_, CString(command.c_str())).Text());
    }
    std::string ReadLine() { return std::string(timerlink::ReadLine(handle_).Text()); }
    void Write(const std::string& command) {
        timerlink::WriteCommand(handle_, CString(command.c_str()));
    }

  private:
    HANDLE handle_ = INVALID_HANDLE_VALUE;
    timerlink::OpenResult result_ = timerlink::OpenResult::Absent;
    bool configured_ = false;
};

}  // namespace sim_test
