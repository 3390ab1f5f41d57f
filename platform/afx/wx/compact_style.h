#pragma once
// GTK's default theme pads its widgets for touch-sized layouts; a dialog template places them
// in cells sized for its font. These helpers make the widgets of a template dialog fit their
// cells and give the desktop's accessibility interface what GTK cannot guess.

#include <string>

class wxWindow;

namespace afx::wx {

// Marks `dialog` so that its widgets take the compact look: a style scoped to that window.
void UseCompactStyle(wxWindow& dialog);
// Gives a widget a CSS class of its own (for parts drawn in an unusual size).
void AddStyleClass(wxWindow& window, const char* name);

// Labels: wrap at the control's width, top-aligned, as a template's static text does.
void MakeLabelWrap(wxWindow& label);

// The accessible name and role a screen reader announces for a widget.
enum class AccessibleRole { Panel, SpinButton, PushButton, Alert };
void SetAccessible(wxWindow& window, const std::string& name, AccessibleRole role);
void SetAccessibleName(wxWindow& window, const std::string& name);

// A combo box is one tab stop, as in a template dialog: its drop-down arrow is reached with
// Alt+Down from the field, not with Tab.
void MakeComboOneTabStop(wxWindow& combo);

// Keeps the widget out of keyboard focus (tabbing and clicks).
void KeepOutOfFocus(wxWindow& window);

}  // namespace afx::wx
