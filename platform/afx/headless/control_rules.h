#pragma once
// What each kind of control does with the focus, typed text and mnemonics, shared by the
// headless window's state and its keyboard.

#include <optional>
#include <string>

#include "platform/afx/resources.h"

namespace afx::headless {

inline bool TakesFocus(ControlKind kind) {
    return kind != ControlKind::GroupBox && kind != ControlKind::StaticText;
}

inline bool HoldsTypedText(ControlKind kind) {
    return kind == ControlKind::Edit || kind == ControlKind::ComboBox;
}

// ASCII only, whatever locale a test has set.
inline char FoldCase(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// The letter after the first single '&'; "&&" stands for an ampersand shown as it is.
inline std::optional<char> Mnemonic(const ControlTemplate& control) {
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
        if (text[i + 1] != '&') return FoldCase(text[i + 1]);
        ++i;
    }
    return std::nullopt;
}

}  // namespace afx::headless
