#include "platform/afx/wx/wx_dialog.h"

#include <wx/dialog.h>
#include <wx/textctrl.h>

#include "platform/afx/dialog.h"
#include "platform/afx/wx/compact_style.h"
#include "platform/afx/wx/dialog_layout.h"
#include "platform/afx/wx/text.h"
#include "platform/afx/wx/wx_dialog_control.h"

namespace afx::wx {

WxDialog::WxDialog(const DialogTemplate& dialog, DialogSink& sink)
    : template_(dialog), sink_(sink) {
    Build();
}

WxDialog::~WxDialog() {
    if (active_ == this) {
        active_ = nullptr;
        activeWindow_ = nullptr;
    }
    delete window_;
}

wxWindow* WxDialog::ActiveWindow() {
    return activeWindow_;
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

    BindWindowEvents();
    BindMinimizedPaint();
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

}  // namespace afx::wx
