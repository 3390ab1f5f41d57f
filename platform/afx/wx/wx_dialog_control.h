#pragma once
// One control of a template dialog and the wx widgets that show it. Shared by the parts of
// WxDialog only: building, the control calls, the keyboard.

#include <string>

#include "platform/afx/wx/wx_dialog.h"

class wxButton;
class wxCheckBox;
class wxComboBox;
class wxStaticText;
class wxTextCtrl;

namespace afx::wx {

class UpDown;

struct WxDialog::Control {
    const ControlTemplate* tmpl;
    std::string text;               // as the program set it (template text at first)
    wxWindow* window = nullptr;     // what takes focus, enabling and position
    wxStaticText* label = nullptr;  // static text
    wxTextCtrl* edit = nullptr;
    wxComboBox* combo = nullptr;
    wxCheckBox* check = nullptr;
    wxButton* button = nullptr;
    UpDown* upDown = nullptr;
    wxWindow* frame = nullptr;    // the sunken frame around a static text
    Control* buddy = nullptr;     // up-down: the edit it steps
    Control* attached = nullptr;  // edit: the up-down sitting at its right edge
};

}  // namespace afx::wx
