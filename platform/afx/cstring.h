#pragma once
// 8-bit text string used for every command, reply, port name and shown text.
//
// The bytes are kept as they arrive (a NUL included), but every use of the text (emptiness,
// comparison, conversion to const char*, formatting into other text) sees it as ending at its
// first NUL, as C text does.

#include <string>
#include <string_view>

#include "platform/wintypes.h"

class CString {
  public:
    CString() = default;
    CString(const char* text);  // NOLINT(google-explicit-constructor): used like a literal
    CString(const char* text, int length);
    explicit CString(const std::string& bytes);

    // Raw length, every byte counted (a NUL too).
    int GetLength() const { return static_cast<int>(bytes_.size()); }
    // True when the text before the first NUL is empty.
    bool IsEmpty() const;
    void Empty() { bytes_.clear(); }

    char GetAt(int index) const { return bytes_.at(static_cast<size_t>(index)); }
    char operator[](int index) const { return GetAt(index); }
    operator const char*() const { return bytes_.c_str(); }  // NOLINT(google-explicit-constructor)
    const char* GetString() const { return bytes_.c_str(); }

    // strcmp / case-insensitive (ASCII) strcmp of the texts up to their first NUL.
    int Compare(const char* other) const;
    int CompareNoCase(const char* other) const;

    CString& operator=(const char* text);
    CString& operator+=(const char* text);
    CString& operator+=(const CString& text);
    CString& operator+=(char byte);  // appends the byte as it is, NUL included

    // printf-style formatting into this string.
    void Format(const char* format, ...) __attribute__((format(printf, 2, 3)));

    CString Left(int count) const;
    CString Mid(int first) const;
    CString Mid(int first, int count) const;

    // The raw bytes, for code below the program (backends, tests).
    const std::string& Bytes() const { return bytes_; }
    // The text up to the first NUL.
    std::string_view Text() const;

  private:
    std::string bytes_;
};

bool operator==(const CString& a, const CString& b);
bool operator==(const CString& a, const char* b);
CString operator+(const CString& a, const CString& b);
CString operator+(const CString& a, const char* b);
CString operator+(const char* a, const CString& b);
