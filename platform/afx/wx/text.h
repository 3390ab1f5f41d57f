#pragma once
// The framework's texts are 8-bit strings with "\r\n" line breaks; wx wants Unicode with "\n".

#include <wx/string.h>

#include <string>

namespace afx::wx {

// Text up to its first NUL; "\r\n" becomes one line break. Bytes that are not UTF-8 are read
// as Latin-1, so every byte shows as some character.
wxString ToWx(const std::string& text);
// UTF-8 bytes of a text typed into a control.
std::string FromWx(const wxString& text);

}  // namespace afx::wx
