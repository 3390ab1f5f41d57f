// The keys a dialog manager answers: Enter, Escape, F1, and Alt with a marked letter.

#include "platform/afx/wx/wx_dialog_control.h"
// wx after the framework's types: it defines TRUE and FALSE as macros.
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/dialog.h>

#include <cwctype>

#include "platform/afx/dialog.h"

namespace afx::wx {
namespace {

// The letter marked with '&' in a control's text, or 0. "&&" is a literal ampersand.
wchar_t MnemonicOf(const std::string& text) {
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != '&') continue;
        if (text[i + 1] == '&') {
            ++i;
            continue;
        }
        return static_cast<wchar_t>(std::towlower(static_cast<unsigned char>(text[i + 1])));
    }
    return 0;
}

}  // namespace

void WxDialog::OnKey(wxKeyEvent& event) {
    const int key = event.GetKeyCode();
    const bool plain = !event.HasAnyModifiers();
    if (key == WXK_ESCAPE && plain) {
        Dispatch(IDCANCEL);
    } else if ((key == WXK_RETURN || key == WXK_NUMPAD_ENTER) && plain) {
        const wxWindow* focus = wxWindow::FindFocus();
        for (auto& control : controls_) {
            if (control->button && control->button == focus) {
                Dispatch(control->tmpl->id);
                return;
            }
        }
        Dispatch(IDOK);
    } else if (key == WXK_F1 && plain) {
        sink_.OnPeerHelp();
    } else if (event.GetModifiers() == wxMOD_ALT && event.GetUnicodeKey() != WXK_NONE &&
               ActOnMnemonic(static_cast<wchar_t>(std::towlower(event.GetUnicodeKey())))) {
        return;
    } else {
        event.Skip();
    }
}

bool WxDialog::ActOnMnemonic(wchar_t letter) {
    for (std::size_t i = 0; i < controls_.size(); ++i) {
        Control& control = *controls_[i];
        if (!control.window || (control.tmpl->style & kStyleNoPrefix)) continue;
        if (MnemonicOf(control.text) != letter) continue;
        if (!control.window->IsEnabled()) continue;
        if (control.button) {
            Dispatch(control.tmpl->id);
        } else if (control.check) {
            control.check->SetFocus();
            control.check->SetValue(!control.check->GetValue());
        } else if (control.label || control.tmpl->kind == ControlKind::GroupBox) {
            // A label's letter leads to the control after it.
            for (std::size_t j = i + 1; j < controls_.size(); ++j) {
                Control& next = *controls_[j];
                if (next.window && next.window->IsEnabled() && next.window->AcceptsFocus()) {
                    next.window->SetFocus();
                    break;
                }
            }
        } else {
            control.window->SetFocus();
        }
        return true;
    }
    return false;
}

}  // namespace afx::wx
