// The person at the headless window: typing, ticking, clicking, and the dialog keyboard
// (Enter, Escape, Tab order, mnemonics, F1), each acting as it would on a real dialog.

#include <algorithm>

#include "platform/afx/dialog.h"
#include "platform/afx/headless/control_rules.h"
#include "platform/afx/headless/headless_backend.h"

namespace afx::headless {

// --- What a person does.

bool HeadlessDialog::Type(int id, const std::string& text) {
    Control* control = Find(id);
    if (ended_ || control == nullptr || !control->enabled) return false;
    const unsigned style = control->tmpl.style;
    if (control->tmpl.kind == ControlKind::ComboBox) {
        if ((style & kStyleDropDown) == 0) return false;  // a pure list has no field to type in
    } else if (control->tmpl.kind != ControlKind::Edit) {
        return false;
    } else if ((style & kStyleNumber) != 0 && !std::all_of(text.begin(), text.end(), [](char c) {
                   return c >= '0' && c <= '9';
               })) {
        return false;  // a digits-only field refuses the keystrokes
    }
    focusIndex_ = static_cast<int>(control - controls_.data());
    control->text = text;
    control->allSelected = false;
    return true;
}

bool HeadlessDialog::Tick(int id, bool checked) {
    Control* control = Find(id);
    if (ended_ || control == nullptr || !control->enabled ||
        control->tmpl.kind != ControlKind::CheckBox) {
        return false;
    }
    focusIndex_ = static_cast<int>(control - controls_.data());
    const int state = checked ? 1 : 0;
    if (control->check != state) Toggle(*control);
    return true;
}

bool HeadlessDialog::Click(int id) {
    Control* control = Find(id);
    if (ended_ || control == nullptr) return false;
    return ClickAt(static_cast<size_t>(control - controls_.data()));
}

void HeadlessDialog::PressEnter() {
    if (ended_) return;
    if (focusIndex_ >= 0 && ClickAt(static_cast<size_t>(focusIndex_))) return;
    // No push button has the focus: the default button, or OK when there is none.
    for (size_t i = 0; i < controls_.size(); ++i) {
        if ((controls_[i].tmpl.style & kStyleDefault) != 0 && ClickAt(i)) return;
    }
    sink_.OnPeerCommand(IDOK);
}

void HeadlessDialog::PressEscape() {
    if (!ended_) sink_.OnPeerCommand(IDCANCEL);
}

void HeadlessDialog::CloseBox() {
    PressEscape();
}

void HeadlessDialog::PressTab(bool backwards) {
    if (ended_ || controls_.empty()) return;
    const int count = static_cast<int>(controls_.size());
    int index = focusIndex_ >= 0 ? focusIndex_ : (backwards ? 0 : count - 1);
    for (int step = 0; step < count; ++step) {
        index = (index + (backwards ? count - 1 : 1)) % count;
        const Control& control = controls_[static_cast<size_t>(index)];
        if (TakesFocus(control.tmpl.kind) && control.enabled &&
            (control.tmpl.style & kStyleTabStop) != 0) {
            FocusByKeyboard(static_cast<size_t>(index));
            return;
        }
    }
}

// The search starts after the focused control, so a letter shared by several controls moves
// from one to the next.
bool HeadlessDialog::PressAlt(char letter) {
    if (ended_ || controls_.empty()) return false;
    const size_t count = controls_.size();
    const size_t start = focusIndex_ >= 0 ? static_cast<size_t>(focusIndex_) + 1 : 0;
    for (size_t step = 0; step < count; ++step) {
        const size_t index = (start + step) % count;
        Control& control = controls_[index];
        if (!control.enabled || Mnemonic(control.tmpl) != FoldCase(letter)) continue;
        switch (control.tmpl.kind) {
            case ControlKind::PushButton:
                return ClickAt(index);
            case ControlKind::CheckBox:
                focusIndex_ = static_cast<int>(index);
                Toggle(control);
                return true;
            default:
                // A label hands the focus to the control it names: the next one that can
                // take it.
                for (size_t next = index + 1; next < count; ++next) {
                    if (TakesFocus(controls_[next].tmpl.kind) && controls_[next].enabled) {
                        FocusByKeyboard(next);
                        return true;
                    }
                }
                return false;
        }
    }
    return false;
}

void HeadlessDialog::PressF1() {
    if (!ended_) sink_.OnPeerHelp();
}

void HeadlessDialog::Minimize(bool iconic) {
    if (ended_) return;
    iconic_ = iconic;
    drawn_.clear();
    sink_.OnPeerPaint();
}

// --- Helpers.

// A click on an enabled push button: the button takes the focus, then reports the click.
bool HeadlessDialog::ClickAt(size_t index) {
    Control& control = controls_[index];
    if (control.tmpl.kind != ControlKind::PushButton || !control.enabled) return false;
    focusIndex_ = static_cast<int>(index);
    sink_.OnPeerCommand(control.tmpl.id);
    return true;
}

// An automatic check box flips and tells the dialog it was clicked.
void HeadlessDialog::Toggle(Control& control) {
    control.check = control.check != 0 ? 0 : 1;
    sink_.OnPeerCommand(control.tmpl.id);
}

// Focus arriving by keyboard selects the whole text of a field, ready to be typed over.
void HeadlessDialog::FocusByKeyboard(size_t index) {
    focusIndex_ = static_cast<int>(index);
    Control& control = controls_[index];
    if (HoldsTypedText(control.tmpl.kind)) control.allSelected = true;
}

}  // namespace afx::headless
