#pragma once
// The framework's message box as a real window: a captioned text with a warning or question
// icon and OK, or Yes and No. Only Yes is consent: Escape or the close box answer No in a
// question and OK in a notice.

#include <string>

#include "platform/wintypes.h"

class wxWindow;

namespace afx::wx {

int ShowMessageBox(wxWindow* parent, const std::string& text, const std::string& caption,
                   UINT type);

}  // namespace afx::wx
