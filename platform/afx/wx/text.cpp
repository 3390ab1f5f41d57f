#include "platform/afx/wx/text.h"

#include <cstring>

namespace afx::wx {

wxString ToWx(const std::string& text) {
    std::string bytes(text.c_str(), std::strlen(text.c_str()));
    std::string joined;
    joined.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') continue;
        joined += bytes[i];
    }
    wxString wide = wxString::FromUTF8(joined.data(), joined.size());
    if (wide.empty() && !joined.empty())
        wide = wxString::From8BitData(joined.data(), joined.size());
    return wide;
}

std::string FromWx(const wxString& text) {
    const wxScopedCharBuffer utf8 = text.utf8_str();
    return std::string(utf8.data(), utf8.length());
}

}  // namespace afx::wx
