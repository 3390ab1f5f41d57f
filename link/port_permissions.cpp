#include "link/port_permissions.h"

#include <grp.h>
#include <sys/stat.h>

#include <string>

#include "platform/comm/port_map.h"

namespace timerlink {

CString DeviceGroupOf(const CString& portName) {
    static const char* const kUsualGroup = "dialout";
    std::string name(portName.Text());
    if (name.rfind("\\\\.\\", 0) == 0) name.erase(0, 4);
    const auto device = platform::comm::ResolvePortName(name);
    struct stat info {};
    if (!device || stat(device->c_str(), &info) != 0) return kUsualGroup;
    const struct group* owner = getgrgid(info.st_gid);
    if (owner == nullptr || owner->gr_name == nullptr) return kUsualGroup;
    return CString(owner->gr_name);
}

}  // namespace timerlink
