// The headless window: controls held in memory in template order, with the keyboard rules of
// a dialog (Tab order, mnemonics, Enter and Escape) applied as a person would meet them.

#include <algorithm>
#include <cctype>
#include <optional>
#include <utility>

#include "platform/afx/dialog.h"
#include "platform/afx/headless/headless_backend.h"

namespace afx::headless {
namespace {

// Dialog units become pixels through the dialog font's average character (7 x 13 pixels for
// an 8 pt font): four units across a character, eight down.
constexpr int kCharWidth = 7;
constexpr int kCharHeight = 13;

bool TakesFocus(ControlKind kind) {
    return kind != ControlKind::GroupBox && kind != ControlKind::StaticText;
}

bool HoldsTypedText(ControlKind kind) {
    return kind == ControlKind::Edit || kind == ControlKind::ComboBox;
}

char Fold(char c) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

// The letter after the first single '&'; "&&" stands for an ampersand shown as it is.
std::optional<char> Mnemonic(const ControlTemplate& control) {
    switch (control.kind) {
        case ControlKind::PushButton:
        case ControlKind::CheckBox:
        case ControlKind::GroupBox:
            break;
        case ControlKind::StaticText:
            if ((control.style & kStyleNoPrefix) != 0) return std::nullopt;
            break;
        default:
            return std::nullopt;
    }
    const std::string& text = control.text;
    for (size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != '&') continue;
        if (text[i + 1] != '&') return Fold(text[i + 1]);
        ++i;
    }
    return std::nullopt;
}

}  // namespace

HeadlessDialog::HeadlessDialog(HeadlessBackend& backend, const DialogTemplate& dialog,
                               DialogSink& sink)
    : backend_(backend), template_(dialog), sink_(sink) {
    for (const ControlTemplate& control : dialog.controls) {
        controls_.push_back({.tmpl = control,
                             .text = control.text,
                             .enabled = (control.style & kStyleDisabled) == 0,
                             .items = {}});
    }
}

HeadlessDialog::~HeadlessDialog() {
    if (backend_.current_ == this) backend_.current_ = nullptr;
}

HeadlessDialog::Control* HeadlessDialog::Find(int id) {
    return const_cast<Control*>(std::as_const(*this).Find(id));
}

// Controls numbered -1 are never addressed by number.
const HeadlessDialog::Control* HeadlessDialog::Find(int id) const {
    if (id == -1) return nullptr;
    for (const Control& control : controls_) {
        if (control.tmpl.id == id) return &control;
    }
    return nullptr;
}

// --- The modal run.

int HeadlessDialog::RunModal() {
    HeadlessDialog* const outer = backend_.current_;
    backend_.current_ = this;
    ended_ = false;
    if (sink_.OnPeerInit() && !ended_) {
        for (size_t i = 0; i < controls_.size(); ++i) {
            const Control& control = controls_[i];
            if (TakesFocus(control.tmpl.kind) && control.enabled &&
                (control.tmpl.style & kStyleTabStop) != 0) {
                FocusByKeyboard(i);
                break;
            }
        }
    }
    // A copy: the driver may replace itself for a dialog it opens.
    if (const auto driver = backend_.driver_; !ended_ && driver) driver(*this);
    if (!ended_) sink_.OnPeerCommand(IDCANCEL);
    if (!ended_) EndModal(IDCANCEL);  // a dialog that refuses Cancel still closes here
    sink_.OnPeerDestroy();
    backend_.current_ = outer;
    return result_;
}

void HeadlessDialog::EndModal(int result) {
    if (ended_) return;
    ended_ = true;
    result_ = result;
}

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
        if (!control.enabled || Mnemonic(control.tmpl) != Fold(letter)) continue;
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

// --- What a person sees.

std::string HeadlessDialog::Text(int id) const {
    return GetControlText(id);
}

int HeadlessDialog::Check(int id) const {
    return GetCheck(id);
}

bool HeadlessDialog::Enabled(int id) const {
    return IsControlEnabled(id);
}

bool HeadlessDialog::Exists(int id) const {
    return Find(id) != nullptr;
}

int HeadlessDialog::Focus() const {
    return focusIndex_ >= 0 ? controls_[static_cast<size_t>(focusIndex_)].tmpl.id : 0;
}

bool HeadlessDialog::AllTextSelected(int id) const {
    const Control* control = Find(id);
    return control != nullptr && HoldsTypedText(control->tmpl.kind) && control->allSelected;
}

std::vector<std::string> HeadlessDialog::ComboItems(int id) const {
    const Control* control = Find(id);
    return control != nullptr ? control->items : std::vector<std::string>{};
}

std::string HeadlessDialog::Caption() const {
    return template_.caption;
}

const IconResource* HeadlessDialog::Icon(bool big) const {
    return big ? bigIcon_ : smallIcon_;
}

// --- DialogPeer: what the framework does to the window.

void HeadlessDialog::SetControlText(int id, const std::string& text) {
    if (Control* control = Find(id)) {
        control->text = text;
        control->allSelected = false;
    }
}

std::string HeadlessDialog::GetControlText(int id) const {
    const Control* control = Find(id);
    return control != nullptr ? control->text : std::string();
}

void HeadlessDialog::SetCheck(int id, int state) {
    if (Control* control = Find(id)) control->check = state;
}

int HeadlessDialog::GetCheck(int id) const {
    const Control* control = Find(id);
    return control != nullptr ? control->check : 0;
}

void HeadlessDialog::EnableControl(int id, bool enable) {
    if (Control* control = Find(id)) control->enabled = enable;
}

bool HeadlessDialog::IsControlEnabled(int id) const {
    const Control* control = Find(id);
    return control != nullptr && control->enabled;
}

void HeadlessDialog::FocusControl(int id) {
    if (const Control* control = Find(id))
        focusIndex_ = static_cast<int>(control - controls_.data());
}

void HeadlessDialog::SelectAllText(int id) {
    if (Control* control = Find(id); control != nullptr && HoldsTypedText(control->tmpl.kind)) {
        control->allSelected = true;
    }
}

// A sorted list orders its entries as text without regard to case; an entry equal to others
// goes after them.
int HeadlessDialog::ComboAddString(int id, const std::string& text) {
    Control* control = Find(id);
    if (control == nullptr || control->tmpl.kind != ControlKind::ComboBox) return -1;
    auto& items = control->items;
    auto position = items.end();
    if ((control->tmpl.style & kStyleSort) != 0) {
        position = std::upper_bound(
            items.begin(), items.end(), text, [](const std::string& a, const std::string& b) {
                return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                                    [](char x, char y) {
                                                        return static_cast<unsigned char>(Fold(x)) <
                                                               static_cast<unsigned char>(Fold(y));
                                                    });
            });
    }
    const auto inserted = items.insert(position, text);  // may move the list
    return static_cast<int>(inserted - items.begin());
}

int HeadlessDialog::ComboGetCount(int id) const {
    const Control* control = Find(id);
    return control != nullptr ? static_cast<int>(control->items.size()) : 0;
}

std::string HeadlessDialog::ComboGetItem(int id, int index) const {
    const Control* control = Find(id);
    if (control == nullptr || index < 0 || index >= static_cast<int>(control->items.size())) {
        return {};
    }
    return control->items[static_cast<size_t>(index)];
}

void HeadlessDialog::SetIcon(const IconResource* icon, bool big) {
    (big ? bigIcon_ : smallIcon_) = icon;
}

// The headless window keeps its size when minimized: there is no task bar tile to shrink to.
void HeadlessDialog::GetClientSize(int& width, int& height) const {
    width = (template_.cx * kCharWidth + 2) / 4;
    height = (template_.cy * kCharHeight + 4) / 8;
}

void HeadlessDialog::EraseIconBackground() {
    drawn_.clear();
}

void HeadlessDialog::DrawIcon(int x, int y, const IconResource* icon) {
    drawn_.push_back({x, y, icon});
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
