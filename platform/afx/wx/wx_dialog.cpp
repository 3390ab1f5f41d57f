#include "platform/afx/wx/wx_dialog.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/clipbrd.h>
#include <wx/combobox.h>
#include <wx/dcclient.h>
#include <wx/dialog.h>
#include <wx/iconbndl.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/utils.h>

#include <algorithm>
#include <cwctype>

#include "platform/afx/dialog.h"
#include "platform/afx/wx/compact_style.h"
#include "platform/afx/wx/dialog_layout.h"
#include "platform/afx/wx/held_input.h"
#include "platform/afx/wx/text.h"
#include "platform/afx/wx/up_down.h"
#include "platform/comm/wait_hook.h"

namespace afx::wx {

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

namespace {

WxDialog* g_active = nullptr;
wxWindow* g_activeWindow = nullptr;

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

// Case-insensitive text order, as a sorted list box keeps its entries.
int CompareNoCase(const wxString& a, const wxString& b) {
    return a.CmpNoCase(b);
}

}  // namespace

WxDialog::WxDialog(const DialogTemplate& dialog, DialogSink& sink)
    : template_(dialog), sink_(sink) {
    Build();
}

WxDialog::~WxDialog() {
    if (g_active == this) {
        g_active = nullptr;
        g_activeWindow = nullptr;
    }
    delete window_;
}

wxWindow* WxDialog::ActiveWindow() {
    return g_activeWindow;
}

void WxDialog::Build() {
    long style = wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX;
    if (template_.minimizeBox) style |= wxMINIMIZE_BOX;
    window_ = new wxDialog(nullptr, wxID_ANY, ToWx(template_.caption), wxDefaultPosition,
                           wxDefaultSize, style);
    UseCompactStyle(*window_);
    const wxFont font = DialogFont(template_);
    window_->SetFont(font);
    units_ = std::make_unique<DialogUnits>(DialogUnits::FitTexts(*window_, font, template_));

    for (const ControlTemplate& tmpl : template_.controls) {
        auto control = std::make_unique<Control>();
        control->tmpl = &tmpl;
        control->text = tmpl.text;
        // An up-down attaches itself to the edit made just before it.
        if (tmpl.kind == ControlKind::UpDown && (tmpl.style & kStyleAutoBuddy) &&
            !controls_.empty() && controls_.back()->tmpl->kind == ControlKind::Edit) {
            control->buddy = controls_.back().get();
            if (tmpl.style & kStyleAlignRight) controls_.back()->attached = control.get();
        }
        controls_.push_back(std::move(control));
    }
    for (std::size_t i = 0; i < controls_.size(); ++i) {
        Control& control = *controls_[i];
        CreateControl(control);
        if (control.window && (control.tmpl->style & kStyleDisabled)) control.window->Disable();
        // A field takes its spoken name from the label before it, as its mnemonic leads there.
        if (i > 0 && control.edit && controls_[i - 1]->window && !controls_[i - 1]->edit) {
            const ControlTemplate& label = *controls_[i - 1]->tmpl;
            if (label.kind == ControlKind::StaticText || label.kind == ControlKind::GroupBox) {
                SetAccessibleName(*control.edit, FromWx(wxStripMenuCodes(ToWx(label.text))));
            }
        }
    }
    Layout();
    window_->Centre();

    window_->Bind(wxEVT_CHAR_HOOK, &WxDialog::OnKey, this);
    window_->Bind(wxEVT_CLOSE_WINDOW, [this](wxCloseEvent& event) {
        if (dispatching_) {
            // The close box was pressed while a handler talks to the timer: cancel after it.
            cancelPending_ = true;
        } else {
            Dispatch(IDCANCEL);
        }
        if (!ended_ && event.CanVeto()) event.Veto();
    });
    window_->Bind(wxEVT_PAINT, [this](wxPaintEvent& event) {
        if (!window_->IsIconized()) {
            event.Skip();
            return;
        }
        wxPaintDC dc(window_);
        paintDc_ = &dc;
        sink_.OnPeerPaint();
        paintDc_ = nullptr;
    });
}

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

void WxDialog::ShowLabelText(Control& control) {
    const wxString shown = ToWx(control.text);
    if (control.tmpl->style & kStyleNoPrefix) {
        control.label->SetLabelText(shown);
    } else {
        control.label->SetLabel(shown);
    }
}

WxDialog::Control* WxDialog::Find(int id) {
    for (auto& control : controls_) {
        if (control->tmpl->id == id && id != -1) return control.get();
    }
    return nullptr;
}

const WxDialog::Control* WxDialog::Find(int id) const {
    return const_cast<WxDialog*>(this)->Find(id);
}

int WxDialog::RunModal() {
    WxDialog* previous = g_active;
    wxWindow* previousWindow = g_activeWindow;
    g_active = this;
    g_activeWindow = window_;
    if (sink_.OnPeerInit()) FocusFirstTabStop();
    if (!ended_) window_->ShowModal();
    sink_.OnPeerDestroy();
    window_->Hide();
    g_active = previous;
    g_activeWindow = previousWindow;
    return result_;
}

void WxDialog::EndModal(int result) {
    ended_ = true;
    result_ = result;
    if (window_->IsModal()) window_->EndModal(result);
}

void WxDialog::FocusFirstTabStop() {
    for (auto& control : controls_) {
        if ((control->tmpl->style & kStyleTabStop) && control->window &&
            control->window->IsEnabled()) {
            control->window->SetFocus();
            return;
        }
    }
}

void WxDialog::Dispatch(int id) {
    if (dispatching_ || ended_) return;
    dispatching_ = true;
    HeldInput input;
    {
        // Serial waits inside the handler let the window repaint; keys and clicks are held
        // until the handler is done.
        wxBusyCursor busy;
        platform::comm::SetWaitHook([&input] { input.Pump(); });
        sink_.OnPeerCommand(id);
        platform::comm::SetWaitHook({});
    }
    dispatching_ = false;
    // What the user did meanwhile acts now, after the handler, in the order it was done.
    window_->CallAfter([events = input.Take()]() mutable { HeldInput::Deliver(events); });
    if (cancelPending_) {
        cancelPending_ = false;
        Dispatch(IDCANCEL);
    }
}

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

void WxDialog::SetIcon(const IconResource* icon, bool big) {
    (big ? bigIcon_ : smallIcon_) = icon;
    wxIconBundle bundle;
    for (const IconResource* resource : {bigIcon_, smallIcon_}) {
        if (!resource) continue;
        for (const IconImage& image : resource->images) bundle.AddIcon(wxIcon(image.xpm));
    }
    window_->SetIcons(bundle);
}

bool WxDialog::IsIconic() const {
    return window_->IsIconized();
}

void WxDialog::GetClientSize(int& width, int& height) const {
    window_->GetClientSize(&width, &height);
}

void WxDialog::EraseIconBackground() {
    if (!paintDc_) return;
    paintDc_->SetBackground(window_->GetBackgroundColour());
    paintDc_->Clear();
}

void WxDialog::DrawIcon(int x, int y, const IconResource* icon) {
    if (!paintDc_ || !icon || icon->images.empty()) return;
    // The image nearest the standard icon size.
    const int want = CurrentBackend().IconMetric();
    const IconImage* best = &icon->images.front();
    for (const IconImage& image : icon->images) {
        if (std::abs(image.size - want) < std::abs(best->size - want)) best = &image;
    }
    paintDc_->DrawIcon(wxIcon(best->xpm), x, y);
}

}  // namespace afx::wx
