#pragma once
// Everything the program's window code uses from the dialog framework.

#include "platform/afx/app.h"
#include "platform/afx/cstring.h"
#include "platform/afx/dialog.h"
#include "platform/afx/message_map.h"
#include "platform/afx/wnd.h"
