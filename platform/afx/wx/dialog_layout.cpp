#include "platform/afx/wx/dialog_layout.h"

#include <wx/font.h>
#include <wx/settings.h>
#include <wx/window.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/afx/wx/text.h"

namespace afx::wx {

DialogUnits DialogUnits::Measure(const wxWindow& window, const wxFont& font) {
    wxCoord width = 0;
    wxCoord height = 0;
    window.GetTextExtent("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", &width, &height,
                         nullptr, nullptr, &font);
    return {width > 0 ? width / 52.0 : 1.0, height > 0 ? height : 1};
}

namespace {

int TextWidth(const wxWindow& window, const wxFont& font, const wxString& text) {
    int width = 0;
    window.GetTextExtent(text, &width, nullptr, nullptr, nullptr, &font);
    return width;
}

// The text as shown: '&' marks a mnemonic unless the control shows it as typed.
wxString ShownText(const ControlTemplate& control, const std::string& bytes) {
    const wxString text = ToWx(bytes);
    if (control.style & kStyleNoPrefix) return text;
    wxString shown;
    for (std::size_t i = 0; i < text.length(); ++i) {
        if (text[i] == '&' && i + 1 < text.length()) ++i;
        shown += text[i];
    }
    return shown;
}

// Lines a text takes when wrapped at word boundaries to `width` pixels.
int WrappedLines(const wxWindow& window, const wxFont& font, const wxString& text, int width) {
    int lines = 0;
    for (const wxString& paragraph : wxSplit(text, '\n', '\0')) {
        ++lines;
        int used = 0;
        for (const wxString& word : wxSplit(paragraph, ' ', '\0')) {
            const int wordWidth = TextWidth(window, font, word);
            const int spaced = used == 0 ? wordWidth : used + TextWidth(window, font, " " + word);
            if (used > 0 && spaced > width) {
                ++lines;
                used = wordWidth;
            } else {
                used = spaced;
            }
        }
    }
    return lines;
}

// Width in pixels that `control` needs for its text, given its height in pixels.
int NeededWidth(const wxWindow& window, const wxFont& font, const DialogUnits& units,
                const ControlTemplate& control, const std::string& bytes) {
    const wxString text = ShownText(control, bytes);
    if (text.empty()) return 0;
    const int textWidth = TextWidth(window, font, text);
    const int em = units.CharHeight();
    switch (control.kind) {
        case ControlKind::PushButton:
            return textWidth + em + 4;  // padding and border
        case ControlKind::CheckBox:
            return textWidth + 16 + em / 2;  // the box and its gap
        case ControlKind::GroupBox:
            return textWidth + em;
        case ControlKind::StaticText: {
            const int frame = (control.style & kStyleSunken) ? 4 : 0;
            const int lines = std::max(1, (units.Y(control.cy) - frame) / units.CharHeight());
            int width = units.X(control.cx) - frame;
            while (width < textWidth && WrappedLines(window, font, text, width) > lines) {
                width += std::max(1, width / 100);
            }
            return width + frame;
        }
        default:
            return 0;
    }
}

}  // namespace

double DialogUnits::Shortfall(const wxWindow& window, const wxFont& font,
                              const ControlTemplate& control, const std::string& text) const {
    const int have = X(control.cx);
    if (have <= 0) return 1.0;
    return std::max(1.0, NeededWidth(window, font, *this, control, text) / double(have));
}

DialogUnits DialogUnits::FitTexts(const wxWindow& window, const wxFont& font,
                                  const DialogTemplate& dialog) {
    const DialogUnits units = Measure(window, font);
    double factor = 1.0;
    for (const ControlTemplate& control : dialog.controls) {
        factor = std::max(factor, units.Shortfall(window, font, control, control.text));
    }
    return units.Widened(factor);
}

wxFont DialogFont(const DialogTemplate& dialog) {
    wxFont font = wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT);
    if (dialog.fontPointSize > 0) font.SetPointSize(dialog.fontPointSize);
    return font;
}

}  // namespace afx::wx
