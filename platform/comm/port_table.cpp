// The set of open ports, so that stale handles are recognised rather than dereferenced.

#include <mutex>
#include <unordered_map>

#include "platform/comm/last_error.h"
#include "platform/comm/serial_port.h"

namespace platform::comm {
namespace {

std::mutex table_mutex;
std::unordered_map<SerialPort*, std::unique_ptr<SerialPort>>& Table() {
    static auto* table = new std::unordered_map<SerialPort*, std::unique_ptr<SerialPort>>;
    return *table;
}

}  // namespace

HANDLE AdoptPort(std::unique_ptr<SerialPort> port) {
    std::lock_guard lock(table_mutex);
    SerialPort* raw = port.get();
    Table().emplace(raw, std::move(port));
    return raw;
}

SerialPort* FindPort(HANDLE handle) {
    std::lock_guard lock(table_mutex);
    auto found = Table().find(handle);
    if (found == Table().end()) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    return found->second.get();
}

std::unique_ptr<SerialPort> ReleasePort(HANDLE handle) {
    std::lock_guard lock(table_mutex);
    auto found = Table().find(handle);
    if (found == Table().end()) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    auto port = std::move(found->second);
    Table().erase(found);
    return port;
}

}  // namespace platform::comm
