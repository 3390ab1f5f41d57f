// The headless window: controls held in memory in template order, changed by the framework
// through the DialogPeer calls and read back by tests. The keyboard and mouse are in
// headless_input.cpp.

#include <algorithm>
#include <utility>

#include "platform/afx/dialog.h"
#include "platform/afx/headless/control_rules.h"
#include "platform/afx/headless/headless_backend.h"

namespace afx::headless {
namespace {

// Dialog units become pixels through the dialog font's average character (7 x 13 pixels for
// an 8 pt font): four units across a character, eight down.
constexpr int kCharWidth = 7;
constexpr int kCharHeight = 13;

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
        // The first enabled tab stop, as a Tab from nowhere would find it.
        focusIndex_ = -1;
        PressTab();
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
    Control* control = Find(id);
    if (control == nullptr) return;
    control->enabled = enable;
    // As in the real windows: a control that is disabled hands the focus on, as Tab would.
    if (!enable && focusIndex_ == static_cast<int>(control - controls_.data())) PressTab();
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
                return std::lexicographical_compare(
                    a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
                        return static_cast<unsigned char>(FoldCase(x)) <
                               static_cast<unsigned char>(FoldCase(y));
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

}  // namespace afx::headless
