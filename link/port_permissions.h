#pragma once
// Who may open a port: on Linux a serial device belongs to a group (usually "dialout"), and a
// user outside it is refused. Used to tell the user which group to join.

#include "platform/afx/cstring.h"

namespace timerlink {

// The name of the group that owns the device the port name designates; "dialout" when it
// cannot be found out.
CString DeviceGroupOf(const CString& portName);

}  // namespace timerlink
