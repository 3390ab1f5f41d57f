// The controls of a template made into wx widgets, and placed in the window.

#include "platform/afx/wx/wx_dialog_control.h"
// wx after the framework's types: it defines TRUE and FALSE as macros.
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/clipbrd.h>
#include <wx/combobox.h>
#include <wx/dialog.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/utils.h>

#include <algorithm>

#include "platform/afx/wx/compact_style.h"
#include "platform/afx/wx/dialog_layout.h"
#include "platform/afx/wx/text.h"
#include "platform/afx/wx/up_down.h"

namespace afx::wx {
namespace {

// A sunken frame around a static text. Never takes the focus: static texts are not tab stops.
class SunkenFrame : public wxWindow {
  public:
    explicit SunkenFrame(wxWindow* parent)
        : wxWindow(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxBORDER_SUNKEN) {
        KeepOutOfFocus(*this);
    }
    bool AcceptsFocus() const override { return false; }
    bool AcceptsFocusFromKeyboard() const override { return false; }
};

bool IsDigits(const wxString& text) {
    return std::all_of(text.begin(), text.end(), [](wxUniChar c) { return c >= '0' && c <= '9'; });
}

// Keeps an edit marked "digits only" free of anything else, typed or pasted.
void AcceptDigitsOnly(wxTextCtrl* edit) {
    edit->Bind(wxEVT_CHAR, [](wxKeyEvent& event) {
        const int key = event.GetUnicodeKey();
        const bool printable = key != WXK_NONE && key >= 32 && key != 127;
        if (printable && !event.HasAnyModifiers() && (key < '0' || key > '9')) {
            wxBell();
            return;
        }
        event.Skip();
    });
    edit->Bind(wxEVT_TEXT_PASTE, [](wxClipboardTextEvent& event) {
        wxString pasted;
        if (wxTheClipboard->Open()) {
            wxTextDataObject data;
            if (wxTheClipboard->GetData(data)) pasted = data.GetText();
            wxTheClipboard->Close();
        }
        if (IsDigits(pasted)) {
            event.Skip();
        } else {
            wxBell();
        }
    });
}

}  // namespace

void WxDialog::CreateControl(Control& control) {
    const ControlTemplate& tmpl = *control.tmpl;
    const int id = tmpl.id;
    switch (tmpl.kind) {
        case ControlKind::PushButton:
            control.button = new wxButton(window_, wxID_ANY, ToWx(tmpl.text));
            control.button->Bind(wxEVT_BUTTON, [this, id](wxCommandEvent&) { Dispatch(id); });
            control.window = control.button;
            break;
        case ControlKind::CheckBox:
            control.check = new wxCheckBox(window_, wxID_ANY, ToWx(tmpl.text));
            control.window = control.check;
            break;
        case ControlKind::GroupBox:
            control.window = new wxStaticBox(window_, wxID_ANY, ToWx(tmpl.text));
            break;
        case ControlKind::StaticText:
            if (tmpl.style & kStyleSunken) control.frame = new SunkenFrame(window_);
            control.label =
                new wxStaticText(control.frame ? control.frame : window_, wxID_ANY, wxString(),
                                 wxDefaultPosition, wxDefaultSize, wxST_NO_AUTORESIZE);
            control.window = control.frame ? control.frame : control.label;
            MakeLabelWrap(*control.label);
            ShowLabelText(control);
            break;
        case ControlKind::Edit:
            control.edit = new wxTextCtrl(window_, wxID_ANY, ToWx(tmpl.text));
            if (tmpl.style & kStyleNumber) AcceptDigitsOnly(control.edit);
            control.window = control.edit;
            break;
        case ControlKind::ComboBox:
            control.combo = new wxComboBox(window_, wxID_ANY, ToWx(tmpl.text), wxDefaultPosition,
                                           wxDefaultSize, 0, nullptr, wxCB_DROPDOWN);
            MakeComboOneTabStop(*control.combo);
            control.window = control.combo;
            break;
        case ControlKind::UpDown:
            if (!control.buddy) break;  // nothing to step
            control.upDown = new UpDown(window_, Cell(control), control.buddy->edit);
            if (tmpl.style & kStyleArrowKeys) control.upDown->AnswerArrowKeys();
            control.window = control.upDown;
            break;
    }
}

void WxDialog::ShowLabelText(Control& control) {
    const wxString shown = ToWx(control.text);
    if (control.tmpl->style & kStyleNoPrefix) {
        control.label->SetLabelText(shown);
    } else {
        control.label->SetLabel(shown);
    }
}

wxRect WxDialog::Cell(const Control& control) const {
    const DialogUnits& units = *units_;
    const DialogUnits::Rect place = units.Place(*control.tmpl);
    wxRect cell(place.x, place.y, place.width, place.height);
    if (control.combo) {
        // The template's height is the open list's; the closed box is one line, as tall as a
        // push button.
        cell.height = units.Y(14);
    }
    if (control.attached) cell.width -= units.X(control.attached->tmpl->cx);
    if (control.buddy) {
        // At the right end of the buddy's cell, as tall as the buddy.
        const DialogUnits::Rect buddy = units.Place(*control.buddy->tmpl);
        cell = wxRect(buddy.x + buddy.width - cell.width, buddy.y, cell.width, buddy.height);
    }
    return cell;
}

void WxDialog::Layout() {
    window_->SetClientSize(units_->X(template_.cx), units_->Y(template_.cy));
    for (auto& control : controls_) {
        if (!control->window) continue;
        const wxRect cell = Cell(*control);
        if (control->upDown) {
            control->upDown->Place(cell);
        } else if (control->frame) {
            control->frame->SetSize(cell);
            control->label->SetSize(2, 2, cell.width - 4, cell.height - 4);
        } else {
            control->window->SetSize(cell);
        }
    }
}

void WxDialog::FitText(const Control& control) {
    const double factor =
        units_->Shortfall(*window_, window_->GetFont(), *control.tmpl, control.text);
    if (factor <= 1.0) return;
    // A text wider than its control (the stand-in face runs wider than the template's): the
    // whole window widens, keeping its proportions, rather than cut the text short.
    *units_ = units_->Widened(factor);
    Layout();
}

}  // namespace afx::wx
