#include "platform/afx/wx/up_down.h"

#include <wx/button.h>
#include <wx/image.h>
#include <wx/settings.h>
#include <wx/textctrl.h>

#include <algorithm>
#include <cstdlib>

#include "platform/afx/wx/compact_style.h"

namespace afx::wx {
namespace {

// A button that never takes the focus: the value belongs to the buddy.
class ArrowButton : public wxButton {
  public:
    using wxButton::wxButton;
    bool AcceptsFocus() const override { return false; }
    bool AcceptsFocusFromKeyboard() const override { return false; }
};

// A filled triangle, pointing up or down, centred in width x height, in the button text colour.
wxBitmap ArrowBitmap(int width, int height, int direction) {
    const int base = std::max(3, std::min(width - 4, 2 * (height - 2) - 1) | 1);
    const int rows = (base + 1) / 2;
    wxImage image(base, rows);
    image.InitAlpha();
    const wxColour ink = wxSystemSettings::GetColour(wxSYS_COLOUR_BTNTEXT);
    for (int row = 0; row < rows; ++row) {
        // Row 0 is the tip for an up arrow.
        const int half = direction > 0 ? row : rows - 1 - row;
        for (int x = 0; x < base; ++x) {
            const bool inside = std::abs(x - base / 2) <= half;
            image.SetRGB(x, row, ink.Red(), ink.Green(), ink.Blue());
            image.SetAlpha(x, row, inside ? 255 : 0);
        }
    }
    return wxBitmap(image);
}

bool ParseInt(const wxString& text, int& value) {
    long parsed = 0;
    if (!text.Strip(wxString::both).ToLong(&parsed)) return false;
    value = static_cast<int>(std::clamp<long>(parsed, -1000000, 1000000));
    return true;
}

}  // namespace

UpDown::UpDown(wxWindow* parent, const wxRect& rect, wxTextCtrl* buddy)
    : wxWindow(parent, wxID_ANY, rect.GetPosition(), rect.GetSize(), wxBORDER_NONE),
      buddy_(buddy),
      up_(MakeHalf(+1)),
      down_(MakeHalf(-1)) {
    KeepOutOfFocus(*this);
    SetAccessible(*this, "Up-down", AccessibleRole::Panel);
    Place(rect);
}

wxButton* UpDown::MakeHalf(int direction) {
    auto* button = new ArrowButton(this, wxID_ANY, wxString(), wxDefaultPosition, wxDefaultSize,
                                   wxBU_NOTEXT | wxBU_EXACTFIT);
    AddStyleClass(*button, "zelvora-updown");
    AddStyleClass(*button, direction > 0 ? "zelvora-updown-up" : "zelvora-updown-down");
    KeepOutOfFocus(*button);
    SetAccessible(*button, direction > 0 ? "Up" : "Down", AccessibleRole::PushButton);
    button->Bind(wxEVT_BUTTON, [this, direction](wxCommandEvent&) { Step(direction); });
    return button;
}

void UpDown::Place(const wxRect& rect) {
    SetSize(rect);
    const int upHeight = rect.height / 2;
    up_->SetSize(0, 0, rect.width, upHeight);
    down_->SetSize(0, upHeight, rect.width, rect.height - upHeight);
    up_->SetBitmap(ArrowBitmap(rect.width, upHeight, +1));
    down_->SetBitmap(ArrowBitmap(rect.width, rect.height - upHeight, -1));
}

void UpDown::Step(int direction) {
    int typed = 0;
    if (ParseInt(buddy_->GetValue(), typed)) position_ = std::clamp(typed, kMinimum, kMaximum);
    position_ = std::clamp(position_ + direction, kMinimum, kMaximum);
    buddy_->ChangeValue(wxString::Format("%d", position_));
    buddy_->SetInsertionPointEnd();
}

void UpDown::AnswerArrowKeys() {
    buddy_->Bind(wxEVT_KEY_DOWN, [this](wxKeyEvent& event) {
        if (event.HasAnyModifiers()) {
            event.Skip();
        } else if (event.GetKeyCode() == WXK_UP) {
            Step(+1);
        } else if (event.GetKeyCode() == WXK_DOWN) {
            Step(-1);
        } else {
            event.Skip();
        }
    });
}

}  // namespace afx::wx
