#include "platform/afx/cstring.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace {

std::string_view TextOf(const char* text) {
    return text == nullptr ? std::string_view() : std::string_view(text);
}

int Sign(int value) {
    return (value > 0) - (value < 0);
}

// ASCII only: the texts are 8-bit and their meaning must not depend on the user's locale.
unsigned char FoldCase(unsigned char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c - 'A' + 'a') : c;
}

}  // namespace

CString::CString(const char* text) : bytes_(TextOf(text)) {}

CString::CString(const char* text, int length)
    : bytes_(text == nullptr || length <= 0 ? std::string()
                                            : std::string(text, static_cast<size_t>(length))) {}

CString::CString(const std::string& bytes) : bytes_(bytes) {}

bool CString::IsEmpty() const {
    return Text().empty();
}

std::string_view CString::Text() const {
    return std::string_view(bytes_.c_str());
}

int CString::Compare(const char* other) const {
    return Sign(Text().compare(TextOf(other)));
}

int CString::CompareNoCase(const char* other) const {
    const std::string_view a = Text();
    const std::string_view b = TextOf(other);
    const size_t common = std::min(a.size(), b.size());
    for (size_t i = 0; i < common; ++i) {
        const unsigned char ca = FoldCase(static_cast<unsigned char>(a[i]));
        const unsigned char cb = FoldCase(static_cast<unsigned char>(b[i]));
        if (ca != cb) return ca < cb ? -1 : 1;
    }
    return Sign(static_cast<int>(a.size() > b.size()) - static_cast<int>(a.size() < b.size()));
}

CString& CString::operator=(const char* text) {
    bytes_.assign(TextOf(text));
    return *this;
}

CString& CString::operator+=(const char* text) {
    bytes_.append(TextOf(text));
    return *this;
}

// Joining strings keeps every byte, as the bytes were received; only a later use of the text
// stops at the first NUL.
CString& CString::operator+=(const CString& text) {
    bytes_.append(text.bytes_);
    return *this;
}

CString& CString::operator+=(char byte) {
    bytes_.push_back(byte);
    return *this;
}

void CString::Format(const char* format, ...) {
    va_list args;
    va_start(args, format);
    va_list again;
    va_copy(again, args);
    const int length = std::vsnprintf(nullptr, 0, format, args);
    va_end(args);
    std::string result;
    if (length > 0) {
        // Formatted into a separate buffer: an argument may be this string's own text.
        result.resize(static_cast<size_t>(length) + 1);
        std::vsnprintf(result.data(), result.size(), format, again);
        result.resize(static_cast<size_t>(length));
    }
    va_end(again);
    bytes_ = std::move(result);
}

CString CString::Left(int count) const {
    return Mid(0, count);
}

CString CString::Mid(int first) const {
    return Mid(first, GetLength());
}

CString CString::Mid(int first, int count) const {
    const int start = std::clamp(first, 0, GetLength());
    const int length = std::clamp(count, 0, GetLength() - start);
    return CString(bytes_.substr(static_cast<size_t>(start), static_cast<size_t>(length)));
}

bool operator==(const CString& a, const CString& b) {
    return a.Text() == b.Text();
}

bool operator==(const CString& a, const char* b) {
    return a.Compare(b) == 0;
}

CString operator+(const CString& a, const CString& b) {
    CString result(a);
    result += b;
    return result;
}

CString operator+(const CString& a, const char* b) {
    CString result(a);
    result += b;
    return result;
}

CString operator+(const char* a, const CString& b) {
    CString result(a);
    result += b;
    return result;
}
