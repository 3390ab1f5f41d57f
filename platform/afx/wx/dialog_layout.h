#pragma once
// Dialog units to pixels, from the dialog font's own metrics, as dialog templates expect:
// a horizontal unit is a quarter of the font's average character width, a vertical unit an
// eighth of its character height.

#include <string>

#include "platform/afx/resources.h"

// No wx header here: the framework's TRUE and FALSE must be declared before wx defines them.
class wxFont;
class wxWindow;

namespace afx::wx {

class DialogUnits {
  public:
    DialogUnits(double averageCharWidth, int charHeight)
        : avgWidth_(averageCharWidth), charHeight_(charHeight) {}

    // Average width of "A".."Z" "a".."z" and the line height of `font` as drawn in `window`.
    // The average keeps its fraction: rounding it to whole pixels would make texts outgrow
    // their cells at some screen resolutions, as hinted widths do not scale evenly.
    static DialogUnits Measure(const wxWindow& window, const wxFont& font);

    // Units widened, if need be, so that every text of the template fits its control: a
    // stand-in face may run wider than the one the template was laid out with, and a text
    // cut short is worse than a slightly wider window.
    static DialogUnits FitTexts(const wxWindow& window, const wxFont& font,
                                const DialogTemplate& dialog);
    // How many times wider the units must be for `text` to fit `control` (1 when it fits).
    double Shortfall(const wxWindow& window, const wxFont& font, const ControlTemplate& control,
                     const std::string& text) const;

    int X(int units) const { return static_cast<int>(units * avgWidth_ / 4 + 0.5); }
    int Y(int units) const { return (units * charHeight_ + 4) / 8; }
    struct Rect {
        int x, y, width, height;
    };
    Rect Place(const ControlTemplate& control) const {
        return {X(control.x), Y(control.y), X(control.cx), Y(control.cy)};
    }

    DialogUnits Widened(double factor) const { return {avgWidth_ * factor, charHeight_}; }
    double AverageCharWidth() const { return avgWidth_; }
    int CharHeight() const { return charHeight_; }

  private:
    double avgWidth_;
    int charHeight_;
};

// The face named in a template rarely exists here: the desktop's own GUI face stands in for it,
// at the template's point size, so the window keeps the proportions it was laid out with.
wxFont DialogFont(const DialogTemplate& dialog);

}  // namespace afx::wx
