#include "platform/afx/cstring.h"

#include <gtest/gtest.h>

#include <cstring>
#include <ostream>
#include <string>
#include <string_view>

namespace {

CString Bytes(const std::string& bytes) {
    return CString(bytes.data(), static_cast<int>(bytes.size()));
}

TEST(CStringTest, KeepsEveryByteButTextEndsAtFirstNul) {
    const CString line = Bytes(std::string("SETUP\0junk", 10));
    EXPECT_EQ(line.GetLength(), 10);
    EXPECT_EQ(line.Bytes(), std::string("SETUP\0junk", 10));
    EXPECT_FALSE(line.IsEmpty());
    EXPECT_EQ(line.Text(), "SETUP");
    EXPECT_EQ(std::strlen(static_cast<const char*>(line)), 5u);
    EXPECT_TRUE(line == "SETUP");
    EXPECT_TRUE(line == CString("SETUP"));
    EXPECT_EQ(line.Compare("SETUP"), 0);
    EXPECT_EQ(line.CompareNoCase("setup"), 0);
}

TEST(CStringTest, LineStartingWithNulCountsAsEmpty) {
    const CString line = Bytes(std::string("\0T005", 5));
    EXPECT_EQ(line.GetLength(), 5);
    EXPECT_TRUE(line.IsEmpty());
    EXPECT_TRUE(line == "");
    EXPECT_EQ(line.Compare(""), 0);
}

TEST(CStringTest, JoiningKeepsBytesAfterNul) {
    CString version = Bytes(std::string("V1\0x", 4));
    version += "\r\n";
    version += Bytes(std::string("B\0", 2));
    version += '\0';
    EXPECT_EQ(version.Bytes(), std::string("V1\0x\r\nB\0\0", 9));
    EXPECT_EQ(version.Text(), "V1");

    const CString joined = CString("a") + Bytes(std::string("b\0c", 3)) + "d";
    EXPECT_EQ(joined.Bytes(), std::string("ab\0cd", 5));
}

struct CompareCase {
    const char* a;
    const char* b;
    int compare;
    int compareNoCase;
};

// Names the case in test output, bytes outside printable ASCII as hex escapes.
void PrintText(std::ostream& out, const char* text) {
    if (text == nullptr) {
        out << "(null)";
        return;
    }
    out << '"';
    for (const unsigned char c : std::string_view(text)) {
        if (c >= 0x20 && c < 0x7f) {
            out << c;
        } else {
            static const char kHex[] = "0123456789abcdef";
            out << "\\x" << kHex[c >> 4] << kHex[c & 15];
        }
    }
    out << '"';
}

std::ostream& operator<<(std::ostream& out, const CompareCase& c) {
    PrintText(out, c.a);
    out << " vs ";
    PrintText(out, c.b);
    return out;
}

class CStringCompareTest : public ::testing::TestWithParam<CompareCase> {};

TEST_P(CStringCompareTest, OrdersAsCTextDoes) {
    const CompareCase& c = GetParam();
    EXPECT_EQ(CString(c.a).Compare(c.b), c.compare);
    EXPECT_EQ(CString(c.a).CompareNoCase(c.b), c.compareNoCase);
    EXPECT_EQ(CString(c.a) == c.b, c.compare == 0);
}

INSTANTIATE_TEST_SUITE_P(
    Table, CStringCompareTest,
    ::testing::Values(CompareCase{"SETUP", "SETUP", 0, 0}, CompareCase{"SETUP", "setup", -1, 0},
                      CompareCase{"setup", "SETUP", 1, 0}, CompareCase{"SetUp", "sETuP", -1, 0},
                      CompareCase{"abc", "abd", -1, -1}, CompareCase{"ab", "abc", -1, -1},
                      CompareCase{"abc", "ab", 1, 1}, CompareCase{"", "", 0, 0},
                      CompareCase{"", "a", -1, -1}, CompareCase{"a", nullptr, 1, 1},
                      // 8-bit text: bytes above 127 order after ASCII, and only ASCII folds.
                      CompareCase{"\xe9", "z", 1, 1}, CompareCase{"\xc9", "\xe9", -1, -1},
                      CompareCase{"[", "A", 1, -1}));

TEST(CStringTest, NullPointerIsEmptyText) {
    const CString fromNull(static_cast<const char*>(nullptr));
    EXPECT_TRUE(fromNull.IsEmpty());
    CString s("x");
    s = static_cast<const char*>(nullptr);
    EXPECT_EQ(s.GetLength(), 0);
}

TEST(CStringTest, FormatsLikePrintf) {
    CString command;
    command.Format("T%03d", 5);
    EXPECT_EQ(command, "T005");
    command.Format("T%03d", 300);
    EXPECT_EQ(command, "T300");

    CString text("ab");
    text.Format("%s-%s", static_cast<const char*>(text), static_cast<const char*>(text));
    EXPECT_EQ(text, "ab-ab");

    CString big;
    big.Format("%s%5000d", "x", 7);
    EXPECT_EQ(big.GetLength(), 5001);
    EXPECT_EQ(big[5000], '7');

    // A string with a NUL inside formats as its text.
    CString nul;
    nul.Format("[%s]", static_cast<const char*>(Bytes(std::string("a\0b", 3))));
    EXPECT_EQ(nul, "[a]");

    CString empty("old");
    empty.Format("%s", "");
    EXPECT_TRUE(empty.IsEmpty());
    EXPECT_EQ(empty.GetLength(), 0);
}

TEST(CStringTest, LeftAndMidClampToTheBytes) {
    const CString s("COM12");
    EXPECT_EQ(s.Left(3), "COM");
    EXPECT_EQ(s.Left(99), "COM12");
    EXPECT_EQ(s.Left(-1), "");
    EXPECT_EQ(s.Mid(3), "12");
    EXPECT_EQ(s.Mid(1, 2), "OM");
    EXPECT_EQ(s.Mid(9), "");
    EXPECT_EQ(s.Mid(-2, 3), "COM");
    EXPECT_EQ(Bytes(std::string("\0AB", 3)).Mid(1), "AB");
}

}  // namespace
