// Data exchange through a real (headless) dialog: what is shown when the fields are written to
// the controls, and what is read, refused and where the focus lands when they are read back.

#include <gtest/gtest.h>

#include <climits>
#include <optional>
#include <ostream>
#include <string>

#include "tests/platform/afx/dialog_fixture.h"

namespace afx_test {
namespace {

constexpr const char* kNotAnInteger = "Please enter an integer.";

struct IntCase {
    const char* name;
    std::string typed;
    int min, max;
    std::optional<int> stored;  // the field's value afterwards (nullopt: unchanged)
    const char* message;        // nullptr: accepted
};

// Names the case in test output instead of dumping its bytes.
std::ostream& operator<<(std::ostream& out, const IntCase& c) {
    return out << c.name;
}

class IntFieldTest : public DialogFixture, public ::testing::WithParamInterface<IntCase> {};

TEST_P(IntFieldTest, ReadsValidatesAndReports) {
    const IntCase& c = GetParam();
    dlg_.m_nValue = 17;
    dlg_.m_nMin = c.min;
    dlg_.m_nMax = c.max;
    dlg_.m_strName = "held";
    dlg_.m_bKeep = 0;
    BOOL result = -1;
    Run([&](HeadlessDialog& d) {
        d.SetControlText(kIdValue, c.typed);  // pasted: any text can reach the field
        ASSERT_TRUE(d.Type(kIdName, "typed"));
        ASSERT_TRUE(d.Tick(kIdKeep, true));
        result = dlg_.UpdateData(TRUE);
        if (c.message != nullptr) {
            EXPECT_EQ(d.Focus(), kIdValue);
            EXPECT_TRUE(d.AllTextSelected(kIdValue));
        }
    });
    EXPECT_EQ(dlg_.m_nValue, c.stored.value_or(17));
    if (c.message == nullptr) {
        EXPECT_TRUE(result);
        EXPECT_TRUE(backend_.Boxes().empty());
        EXPECT_EQ(dlg_.m_strName, "typed");
        EXPECT_EQ(dlg_.m_bKeep, 1);
        return;
    }
    EXPECT_FALSE(result);
    ASSERT_EQ(backend_.Boxes().size(), 1u);
    EXPECT_EQ(backend_.Boxes()[0].text, c.message);
    EXPECT_EQ(backend_.Boxes()[0].type, MB_ICONEXCLAMATION | MB_OK);
    EXPECT_EQ(backend_.Boxes()[0].caption, "afx_tests");
    // The fields after the failed one are not read.
    EXPECT_EQ(dlg_.m_strName, "held");
    EXPECT_EQ(dlg_.m_bKeep, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Table, IntFieldTest,
    ::testing::Values(
        IntCase{"Plain", "42", 0, 255, 42, nullptr}, IntCase{"Zero", "0", 0, 255, 0, nullptr},
        IntCase{"UpperBound", "255", 0, 255, 255, nullptr},
        IntCase{"Surrounded", " \t 7  ", 0, 255, 7, nullptr},
        IntCase{"PlusSign", "+5", 0, 255, 5, nullptr},
        IntCase{"LeadingZeros", "007", 0, 255, 7, nullptr},
        IntCase{"Foobar", "foobar", 0, 255, std::nullopt, kNotAnInteger},
        IntCase{"Empty", "", 0, 255, std::nullopt, kNotAnInteger},
        IntCase{"OnlySpaces", "   ", 0, 255, std::nullopt, kNotAnInteger},
        IntCase{"TrailingLetters", "12x", 0, 255, std::nullopt, kNotAnInteger},
        IntCase{"InnerSpace", "1 2", 0, 255, std::nullopt, kNotAnInteger},
        IntCase{"TwoSigns", "+-5", 0, 255, std::nullopt, kNotAnInteger},
        IntCase{"SignAlone", "-", 0, 255, std::nullopt, kNotAnInteger},
        IntCase{"Decimal", "1.5", 0, 255, std::nullopt, kNotAnInteger},
        IntCase{"PastIntRange", "2147483648", 0, 255, std::nullopt, kNotAnInteger},
        IntCase{"FarPastIntRange", "99999999999999999999", 0, 255, std::nullopt, kNotAnInteger},
        IntCase{"BelowIntRange", "-2147483649", 0, 255, std::nullopt, kNotAnInteger},
        // A number that parses is stored before the range check refuses it.
        IntCase{"AboveRange", "300", 0, 255, 300, "Please enter an integer between 0 and 255."},
        IntCase{"JustAbove", "256", 0, 255, 256, "Please enter an integer between 0 and 255."},
        IntCase{"Negative", "-1", 0, 255, -1, "Please enter an integer between 0 and 255."},
        IntCase{"IntMax", "2147483647", 0, 255, INT_MAX,
                "Please enter an integer between 0 and 255."},
        IntCase{"OtherRange", "11", -5, 10, 11, "Please enter an integer between -5 and 10."},
        IntCase{"OtherRangeInside", "-5", -5, 10, -5, nullptr}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DialogFixture, WritingShowsEveryFieldAndNeverFails) {
    for (const int value : {0, 300, -7, INT_MIN, INT_MAX}) {
        dlg_.m_nValue = value;
        dlg_.m_strName = "name";
        dlg_.m_bKeep = 1;
        dlg_.m_strNote = CString(std::string("two\r\nlines\0hidden", 17));
        Run([&](HeadlessDialog& d) {
            EXPECT_EQ(d.Text(kIdValue), std::to_string(value));
            EXPECT_EQ(d.Text(kIdName), "name");
            EXPECT_EQ(d.Check(kIdKeep), 1);
            EXPECT_EQ(d.Text(kIdNote), "two\r\nlines");
            EXPECT_TRUE(dlg_.UpdateData(FALSE));
        });
        EXPECT_TRUE(backend_.Boxes().empty());
    }
}

TEST_F(DialogFixture, ValueRoundTripsThroughTheControl) {
    dlg_.m_nValue = 123;
    Run([&](HeadlessDialog& d) {
        dlg_.m_nValue = 0;
        ASSERT_TRUE(dlg_.UpdateData(TRUE));
        EXPECT_EQ(dlg_.m_nValue, 123);
        ASSERT_TRUE(d.Type(kIdValue, "-0"));
        ASSERT_TRUE(dlg_.UpdateData(TRUE));
        EXPECT_EQ(dlg_.m_nValue, 0);
        dlg_.UpdateData(FALSE);
        EXPECT_EQ(d.Text(kIdValue), "0");
    });
}

TEST_F(DialogFixture, FailureFocusesTheFieldEvenFromElsewhere) {
    Run([&](HeadlessDialog& d) {
        ASSERT_TRUE(d.Type(kIdValue, "abc"));
        ASSERT_TRUE(d.Type(kIdName, "x"));
        EXPECT_EQ(d.Focus(), kIdName);
        EXPECT_FALSE(dlg_.UpdateData(TRUE));
        EXPECT_EQ(d.Focus(), kIdValue);
        EXPECT_TRUE(d.AllTextSelected(kIdValue));
        // Typing over the selection and trying again succeeds.
        ASSERT_TRUE(d.Type(kIdValue, "9"));
        EXPECT_FALSE(d.AllTextSelected(kIdValue));
        EXPECT_TRUE(dlg_.UpdateData(TRUE));
        EXPECT_EQ(dlg_.m_strName, "x");
    });
    EXPECT_EQ(dlg_.m_nValue, 9);
    EXPECT_EQ(backend_.Boxes().size(), 1u);
}

TEST_F(DialogFixture, ExchangeNeedsAnOpenWindow) {
    EXPECT_FALSE(dlg_.UpdateData(TRUE));
    EXPECT_FALSE(dlg_.UpdateData(FALSE));
}

}  // namespace
}  // namespace afx_test
