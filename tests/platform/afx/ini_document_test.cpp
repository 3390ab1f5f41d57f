#include "platform/afx/ini_document.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>

namespace {

using afx::IniDocument;

struct GetCase {
    const char* name;
    std::string text;
    std::optional<std::string> comPort;  // Settings/ComPort
};

// Names the case in test output instead of dumping its bytes.
std::ostream& operator<<(std::ostream& out, const GetCase& c) {
    return out << c.name;
}

class IniGetTest : public ::testing::TestWithParam<GetCase> {};

TEST_P(IniGetTest, ReadsSettingsComPort) {
    EXPECT_EQ(IniDocument::Parse(GetParam().text).Get("Settings", "ComPort"), GetParam().comPort);
}

INSTANTIATE_TEST_SUITE_P(
    Table, IniGetTest,
    ::testing::Values(
        GetCase{"Empty", "", std::nullopt}, GetCase{"Plain", "[Settings]\nComPort=COM3\n", "COM3"},
        GetCase{"NoFinalNewline", "[Settings]\nComPort=COM3", "COM3"},
        GetCase{"NamesIgnoreCase", "[sETTINGS]\ncomPORT=COM3\n", "COM3"},
        GetCase{"SpacesTrimmed", "  [ Settings ]  \n\t ComPort =  COM3 \t\n", "COM3"},
        GetCase{"CrLfLines", "[Settings]\r\nComPort=COM3\r\n", "COM3"},
        GetCase{"EmptyValue", "[Settings]\nComPort=\n", ""},
        GetCase{"ValueWithEquals", "[Settings]\nComPort=a=b\n", "a=b"},
        GetCase{"QuotedValue", "[Settings]\nComPort=\" COM3 \"\n", " COM3 "},
        GetCase{"LoneQuoteKept", "[Settings]\nComPort=\"COM3\n", "\"COM3"},
        GetCase{"OtherSection", "[Other]\nComPort=X\n[Settings]\nA=1\n", std::nullopt},
        GetCase{"BeforeAnySection", "ComPort=X\n[Settings]\n", std::nullopt},
        GetCase{"CommentsSkipped", "[Settings]\n;ComPort=X\n#ComPort=Y\nComPort=Z\n", "Z"},
        GetCase{"FirstEntryWins", "[Settings]\nComPort=A\nComPort=B\n", "A"},
        GetCase{"RepeatedSection", "[Settings]\nA=1\n[Other]\n[Settings]\nComPort=B\n", "B"},
        GetCase{"PrefixOfKeyIsNotKey", "[Settings]\nComPortX=A\nCom=B\n", std::nullopt},
        GetCase{"GarbledLinesSkipped",
                "\x01\x02garbage\n[Settings\nComPort=bad\n=x\n[]\n[Settings]\nnot an entry\n"
                "ComPort=COM4\n",
                "COM4"},
        GetCase{"BinaryJunk", std::string("\xff\xfe\0\x01[\x80]\n\0\0=\n", 12), std::nullopt},
        GetCase{"NulInsideValue", std::string("[Settings]\nComPort=CO\0M\n", 24),
                std::string("CO\0M", 4)}),
    [](const auto& info) { return std::string(info.param.name); });

struct SetCase {
    const char* name;
    std::string before;
    std::string value;
    std::string after;
};

// Names the case in test output instead of dumping its bytes.
std::ostream& operator<<(std::ostream& out, const SetCase& c) {
    return out << c.name;
}

class IniSetTest : public ::testing::TestWithParam<SetCase> {};

TEST_P(IniSetTest, ChangesOnlyTheEntry) {
    IniDocument document = IniDocument::Parse(GetParam().before);
    ASSERT_TRUE(document.Set("Settings", "ComPort", GetParam().value));
    EXPECT_EQ(document.Serialize(), GetParam().after);
}

INSTANTIATE_TEST_SUITE_P(
    Table, IniSetTest,
    ::testing::Values(
        SetCase{"NewFile", "", "COM3", "[Settings]\nComPort=COM3\n"},
        SetCase{"ReplacesKeepingEverythingElse",
                "; kept\n[Other]\nX=1\n\n[Settings]\nA=1\nComPort=COM1\nB=2\n", "COM9",
                "; kept\n[Other]\nX=1\n\n[Settings]\nA=1\nComPort=COM9\nB=2\n"},
        SetCase{"AddsAfterTheSectionsEntries", "[Settings]\nA=1\n\n[Other]\nX=1\n", "COM3",
                "[Settings]\nA=1\nComPort=COM3\n\n[Other]\nX=1\n"},
        SetCase{"AddsToFirstOfRepeatedSections", "[Settings]\n[Other]\n[Settings]\nB=2\n", "C",
                "[Settings]\nComPort=C\n[Other]\n[Settings]\nB=2\n"},
        SetCase{"ReplacesWhateverTheCase", "[SETTINGS]\ncomport = COM1\n", "COM2",
                "[SETTINGS]\nComPort=COM2\n"},
        SetCase{"AddsSectionAfterABlankLine", "[Other]\nX=1", "COM3",
                "[Other]\nX=1\n\n[Settings]\nComPort=COM3\n"},
        SetCase{"KeepsGarbledLines", "garbage \x01\n[Settings]\nComPort=A\n[bad\n", "B",
                "garbage \x01\n[Settings]\nComPort=B\n[bad\n"},
        SetCase{"QuotesSurroundingSpaces", "", " x ", "[Settings]\nComPort=\" x \"\n"},
        SetCase{"QuotesQuotedValue", "", "\"q\"", "[Settings]\nComPort=\"\"q\"\"\n"},
        SetCase{"EmptyValue", "[Settings]\nComPort=COM1\n", "", "[Settings]\nComPort=\n"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(IniDocumentTest, EveryStorableValueReadsBackUnchanged) {
    for (const std::string value :
         {"COM3", "", " lead", "trail ", " both ", "\"quoted\"", "\"", "\"\"", "a=b",
          "; not a comment", "#x", "[x]", "tab\tinside", "\xc3\xbc\xff", "/dev/ttyUSB0"}) {
        IniDocument document = IniDocument::Parse("[Other]\nComPort=kept\n");
        ASSERT_TRUE(document.Set("Settings", "ComPort", value)) << value;
        const IniDocument reread = IniDocument::Parse(document.Serialize());
        EXPECT_EQ(reread.Get("Settings", "ComPort"), value);
        EXPECT_EQ(reread.Get("Other", "ComPort"), "kept");
    }
}

TEST(IniDocumentTest, RefusesWhatOneLineCannotHold) {
    struct Refused {
        const char* section;
        const char* key;
        const char* value;
    };
    const std::string before = "[Settings]\nComPort=COM1\n";
    for (const Refused& r :
         {Refused{"Settings", "ComPort", "COM1\nComPort=evil"},
          Refused{"Settings", "ComPort", "a\rb"}, Refused{"Settings", "Com=Port", "x"},
          Refused{"Settings", "", "x"}, Refused{"Settings", " ComPort", "x"},
          Refused{"Settings", "[k", "x"}, Refused{"Set]tings", "ComPort", "x"},
          Refused{"", "ComPort", "x"}, Refused{"Set\ntings", "ComPort", "x"}}) {
        IniDocument document = IniDocument::Parse(before);
        EXPECT_FALSE(document.Set(r.section, r.key, r.value)) << r.section << "/" << r.key;
        EXPECT_EQ(document.Serialize(), before);
    }
}

}  // namespace
