// The headless window's keyboard and mouse rules: Tab order, mnemonics, what each kind of
// control accepts, the sorted list, and message box answers.

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "tests/platform/afx/dialog_fixture.h"

namespace afx_test {
namespace {

std::vector<int> TabCycle(HeadlessDialog& d, int presses, bool backwards = false) {
    std::vector<int> order;
    for (int i = 0; i < presses; ++i) {
        d.PressTab(backwards);
        order.push_back(d.Focus());
    }
    return order;
}

TEST_F(DialogFixture, TabFollowsTemplateOrderSkippingWhatCannotTakeFocus) {
    Run([&](HeadlessDialog& d) {
        ASSERT_EQ(d.Focus(), kIdValue);
        // Labels, group boxes, the disabled button and controls without a tab stop are
        // passed over; the order wraps.
        EXPECT_EQ(TabCycle(d, 10),
                  (std::vector<int>{kIdName, kIdKeep, kIdList, kIdDigits, kIdApply, IDOK, IDCANCEL,
                                    kIdApplyAgain, kIdValue, kIdName}));
        EXPECT_EQ(TabCycle(d, 3, true), (std::vector<int>{kIdValue, kIdApplyAgain, IDCANCEL}));

        // Enabling a control puts it back into the order; disabling takes it out.
        dlg_.m_btnApply.EnableWindow(FALSE);
        dlg_.GetDlgItem(kIdDisabled)->EnableWindow(TRUE);
        ASSERT_TRUE(d.Type(kIdDigits, "1"));
        EXPECT_EQ(TabCycle(d, 2), (std::vector<int>{kIdDisabled, IDOK}));
    });
}

TEST_F(DialogFixture, TabIntoAFieldSelectsItsText) {
    dlg_.m_strName = "abc";
    Run([&](HeadlessDialog& d) {
        ASSERT_TRUE(d.Type(kIdValue, "12"));
        EXPECT_FALSE(d.AllTextSelected(kIdValue));
        d.PressTab();
        EXPECT_EQ(d.Focus(), kIdName);
        EXPECT_TRUE(d.AllTextSelected(kIdName));
        EXPECT_FALSE(d.AllTextSelected(kIdKeep));
    });
}

struct MnemonicCase {
    const char* name;
    char letter;
    bool handled;
    int focus;  // focus afterwards
    int keep;   // check of kIdKeep afterwards
    int noTab;  // check of kIdNoTab afterwards
    int applyClicks;
};

// Names the case in test output instead of dumping its bytes.
std::ostream& operator<<(std::ostream& out, const MnemonicCase& c) {
    return out << c.name;
}

class MnemonicTest : public DialogFixture, public ::testing::WithParamInterface<MnemonicCase> {};

TEST_P(MnemonicTest, AltLetterActsOnItsControl) {
    const MnemonicCase& c = GetParam();
    Run([&](HeadlessDialog& d) {
        ASSERT_TRUE(d.Type(kIdName, ""));  // start from a known focus
        EXPECT_EQ(d.PressAlt(c.letter), c.handled);
        EXPECT_EQ(d.Focus(), c.focus);
        EXPECT_EQ(d.Check(kIdKeep), c.keep);
        EXPECT_EQ(d.Check(kIdNoTab), c.noTab);
        EXPECT_FALSE(d.Ended());
    });
    EXPECT_EQ(dlg_.applyClicks, c.applyClicks);
}

INSTANTIATE_TEST_SUITE_P(
    Table, MnemonicTest,
    ::testing::Values(
        // A group box or label hands the focus to the next control that takes it.
        MnemonicCase{"GroupBox", 'n', true, kIdValue, 0, 0, 0},
        MnemonicCase{"UpperCaseLetter", 'N', true, kIdValue, 0, 0, 0},
        MnemonicCase{"LabelAfterEscapedAmpersand", 'c', true, kIdList, 0, 0, 0},
        // A check box takes the focus and flips, tab stop or not.
        MnemonicCase{"CheckBox", 'k', true, kIdKeep, 1, 0, 0},
        MnemonicCase{"CheckBoxWithoutTabStop", 'T', true, kIdNoTab, 0, 1, 0},
        // A push button is clicked.
        MnemonicCase{"Button", 'a', true, kIdApply, 0, 0, 1},
        // Not mnemonics: a disabled button, a label shown as typed, "&&", unknown letters.
        MnemonicCase{"DisabledButton", 'd', false, kIdName, 0, 0, 0},
        MnemonicCase{"NoPrefixLabel", 'e', false, kIdName, 0, 0, 0},
        MnemonicCase{"EscapedAmpersand", '&', false, kIdName, 0, 0, 0},
        MnemonicCase{"UnknownLetter", 'q', false, kIdName, 0, 0, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DialogFixture, RepeatedMnemonicMovesToTheNextControlWithIt) {
    Run([&](HeadlessDialog& d) {
        EXPECT_TRUE(d.PressAlt('a'));
        EXPECT_EQ(d.Focus(), kIdApply);
        EXPECT_TRUE(d.PressAlt('A'));
        EXPECT_EQ(d.Focus(), kIdApplyAgain);
        EXPECT_TRUE(d.PressAlt('a'));
        EXPECT_EQ(d.Focus(), kIdApply);
    });
    EXPECT_EQ(dlg_.applyClicks, 2);
    EXPECT_EQ(dlg_.applyAgainClicks, 1);
}

TEST_F(DialogFixture, MnemonicFocusOnAFieldSelectsItsText) {
    dlg_.m_nValue = 42;
    Run([&](HeadlessDialog& d) {
        ASSERT_TRUE(d.Type(kIdName, "x"));
        ASSERT_TRUE(d.PressAlt('n'));
        EXPECT_EQ(d.Focus(), kIdValue);
        EXPECT_TRUE(d.AllTextSelected(kIdValue));
    });
}

TEST_F(DialogFixture, EachKindTakesOnlyItsOwnAction) {
    Run([&](HeadlessDialog& d) {
        EXPECT_FALSE(d.Type(kIdNote, "x"));    // a label is not typed into
        EXPECT_FALSE(d.Type(kIdApply, "x"));   // nor a button
        EXPECT_FALSE(d.Type(4242, "x"));       // nor a control that is not there
        EXPECT_FALSE(d.Tick(kIdApply, true));  // a button has no check
        EXPECT_FALSE(d.Click(kIdKeep));        // a check box is ticked, not clicked
        EXPECT_FALSE(d.Click(kIdNote));
        EXPECT_EQ(d.Text(kIdNote), "");  // blanked by the first exchange
        EXPECT_FALSE(d.Exists(4242));
        EXPECT_FALSE(d.Exists(-1));  // unnumbered controls are never addressed
        EXPECT_TRUE(d.Exists(kIdNote));
        EXPECT_EQ(d.Focus(), kIdValue);  // nothing above moved the focus

        // The digits-only field refuses anything but digits.
        EXPECT_FALSE(d.Type(kIdDigits, "12a"));
        EXPECT_EQ(d.Text(kIdDigits), "");
        EXPECT_TRUE(d.Type(kIdDigits, "0123"));
        EXPECT_EQ(d.Text(kIdDigits), "0123");
        EXPECT_TRUE(d.Type(kIdDigits, ""));

        // The drop-down combo box has a field to type in.
        EXPECT_TRUE(d.Type(kIdList, "COM7"));
        CString text;
        dlg_.m_cboList.GetWindowText(text);
        EXPECT_EQ(text, "COM7");
        EXPECT_TRUE(d.ComboItems(kIdList).empty());

        // A disabled control takes nothing.
        dlg_.GetDlgItem(kIdName)->EnableWindow(FALSE);
        EXPECT_FALSE(d.Type(kIdName, "x"));
        dlg_.GetDlgItem(kIdKeep)->EnableWindow(FALSE);
        EXPECT_FALSE(d.Tick(kIdKeep, true));
        EXPECT_EQ(d.Check(kIdKeep), 0);
    });
}

TEST_F(DialogFixture, SortedListOrdersAsTextIgnoringCase) {
    Run([&](HeadlessDialog& d) {
        EXPECT_EQ(dlg_.m_cboList.AddString("COM2"), 0);
        EXPECT_EQ(dlg_.m_cboList.AddString("COM10"), 0);
        EXPECT_EQ(dlg_.m_cboList.AddString("com1"), 0);
        EXPECT_EQ(dlg_.m_cboList.AddString("COM3"), 3);
        EXPECT_EQ(dlg_.m_cboList.AddString("Com2"), 3);  // after its equal
        EXPECT_EQ(d.ComboItems(kIdList),
                  (std::vector<std::string>{"com1", "COM10", "COM2", "Com2", "COM3"}));
        EXPECT_EQ(dlg_.m_cboList.GetCount(), 5);
        CString item;
        dlg_.m_cboList.GetLBText(1, item);
        EXPECT_EQ(item, "COM10");
        dlg_.m_cboList.GetLBText(9, item);
        EXPECT_EQ(item, "");

        // Without the sort style entries stay in the order they were added.
        CComboBox plain;
        plain.Attach(dlg_.Peer(), kIdPlainList);
        EXPECT_EQ(plain.AddString("b"), 0);
        EXPECT_EQ(plain.AddString("a"), 1);
        EXPECT_EQ(d.ComboItems(kIdPlainList), (std::vector<std::string>{"b", "a"}));
        EXPECT_EQ(d.ComboGetCount(kIdApply), 0);
    });
}

TEST_F(DialogFixture, CheckBoxTickIsReadByTheExchange) {
    Run([&](HeadlessDialog& d) {
        EXPECT_TRUE(d.Tick(kIdKeep, true));
        EXPECT_TRUE(d.Tick(kIdKeep, true));  // already ticked: stays ticked
        EXPECT_EQ(d.Focus(), kIdKeep);
        ASSERT_TRUE(dlg_.UpdateData(TRUE));
        EXPECT_EQ(dlg_.m_bKeep, 1);
        EXPECT_TRUE(d.Tick(kIdKeep, false));
        ASSERT_TRUE(dlg_.UpdateData(TRUE));
        EXPECT_EQ(dlg_.m_bKeep, 0);
    });
}

TEST_F(DialogFixture, MessageBoxesAnswerFromTheScriptThenByDefault) {
    backend_.AnswerNext(IDYES);
    backend_.AnswerNext(IDNO);
    Run([&](HeadlessDialog&) {
        EXPECT_EQ(AfxMessageBox("One?", MB_ICONQUESTION | MB_YESNO), IDYES);
        EXPECT_EQ(AfxMessageBox("Two?", MB_ICONQUESTION | MB_YESNO), IDNO);
        EXPECT_EQ(AfxMessageBox("Three?", MB_ICONQUESTION | MB_YESNO), IDNO);
        EXPECT_EQ(AfxMessageBox("Note", MB_ICONWARNING), IDOK);
    });
    ASSERT_EQ(backend_.Boxes().size(), 4u);
    EXPECT_EQ(backend_.Boxes()[2].text, "Three?");
    EXPECT_EQ(backend_.Boxes()[3].type, MB_ICONWARNING);
    backend_.ClearBoxes();
    EXPECT_TRUE(backend_.Boxes().empty());
}

}  // namespace
}  // namespace afx_test
