#pragma once
// A small up-down control: two arrow buttons stacked in the cell a template gives it, stepping
// an integer shown in a buddy edit. GTK's own spin button needs several times that cell.
//
// Defaults (the program sets none): range 0 to 100, and the up arrow increases the value,
// as people expect of an arrow pointing up. The value is read back from the buddy before each
// step, so typed text is the starting point; text that is not a number starts from the last
// value written.

#include <wx/window.h>

class wxButton;
class wxTextCtrl;

namespace afx::wx {

class UpDown : public wxWindow {
  public:
    static constexpr int kMinimum = 0;
    static constexpr int kMaximum = 100;

    // Sits at `rect` (parent's client coordinates); steps `buddy`.
    UpDown(wxWindow* parent, const wxRect& rect, wxTextCtrl* buddy);

    // Sits at `rect` now (after the window's units changed).
    void Place(const wxRect& rect);
    // Moves the value one step (+1 up, -1 down) and writes it into the buddy.
    void Step(int direction);
    // Lets the buddy's Up and Down keys step the value.
    void AnswerArrowKeys();

    bool AcceptsFocus() const override { return false; }
    bool AcceptsFocusFromKeyboard() const override { return false; }

  private:
    wxButton* MakeHalf(int direction);
    wxTextCtrl* buddy_;
    wxButton* up_;
    wxButton* down_;
    int position_ = kMinimum;
};

}  // namespace afx::wx
