// What the program asks of the controls: texts, checks, enabling, focus, the combo box's list.

#include "platform/afx/wx/wx_dialog_control.h"
// wx after the framework's types: it defines TRUE and FALSE as macros.
#include <wx/checkbox.h>
#include <wx/combobox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "platform/afx/wx/text.h"

namespace afx::wx {
namespace {

// Case-insensitive text order, as a sorted list box keeps its entries.
int CompareNoCase(const wxString& a, const wxString& b) {
    return a.CmpNoCase(b);
}

}  // namespace

void WxDialog::SetControlText(int id, const std::string& text) {
    Control* control = Find(id);
    if (!control) return;
    control->text = text;
    const wxString shown = ToWx(text);
    if (control->label) {
        ShowLabelText(*control);
        FitText(*control);
    } else if (control->edit) {
        control->edit->ChangeValue(shown);
    } else if (control->combo) {
        control->combo->ChangeValue(shown);
    } else if (control->window && !control->upDown) {
        control->window->SetLabel(shown);
        FitText(*control);
    }
}

std::string WxDialog::GetControlText(int id) const {
    const Control* control = Find(id);
    if (!control) return {};
    if (control->edit) return FromWx(control->edit->GetValue());
    if (control->combo) return FromWx(control->combo->GetValue());
    return control->text;
}

void WxDialog::SetCheck(int id, int state) {
    if (Control* control = Find(id); control && control->check)
        control->check->SetValue(state != 0);
}

int WxDialog::GetCheck(int id) const {
    const Control* control = Find(id);
    return control && control->check && control->check->GetValue() ? 1 : 0;
}

void WxDialog::EnableControl(int id, bool enable) {
    Control* control = Find(id);
    if (!control || !control->window) return;
    // GTK leaves no control focused when the focused one is disabled, and then no key reaches
    // the dialog (not even Escape): hand the focus on, as Tab would.
    wxWindow* focused = wxWindow::FindFocus();
    if (!enable && focused != nullptr &&
        (focused == control->window || control->window->IsDescendant(focused)))
        control->window->Navigate(wxNavigationKeyEvent::IsForward);
    control->window->Enable(enable);
}

bool WxDialog::IsControlEnabled(int id) const {
    const Control* control = Find(id);
    return control && control->window && control->window->IsEnabled();
}

void WxDialog::FocusControl(int id) {
    if (Control* control = Find(id); control && control->window) control->window->SetFocus();
}

void WxDialog::SelectAllText(int id) {
    Control* control = Find(id);
    if (!control) return;
    if (control->edit) control->edit->SelectAll();
    if (control->combo) control->combo->SelectAll();
}

int WxDialog::ComboAddString(int id, const std::string& text) {
    Control* control = Find(id);
    if (!control || !control->combo) return -1;
    const wxString item = ToWx(text);
    unsigned index = control->combo->GetCount();
    if (control->tmpl->style & kStyleSort) {
        index = 0;
        while (index < control->combo->GetCount() &&
               CompareNoCase(control->combo->GetString(index), item) <= 0) {
            ++index;
        }
    }
    return control->combo->Insert(item, index);
}

int WxDialog::ComboGetCount(int id) const {
    const Control* control = Find(id);
    return control && control->combo ? static_cast<int>(control->combo->GetCount()) : 0;
}

std::string WxDialog::ComboGetItem(int id, int index) const {
    const Control* control = Find(id);
    if (!control || !control->combo || index < 0 ||
        index >= static_cast<int>(control->combo->GetCount())) {
        return {};
    }
    return FromWx(control->combo->GetString(static_cast<unsigned>(index)));
}

}  // namespace afx::wx
