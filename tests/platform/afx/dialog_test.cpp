// The modal dialog's life: opening, the ways it closes, destruction, icons and painting, F1.

#include <gtest/gtest.h>

#include <cstdlib>
#include <ostream>
#include <string>

#include "tests/platform/afx/dialog_fixture.h"

namespace afx_test {
namespace {

TEST_F(DialogFixture, OpeningShowsTheFieldsAndFocusesTheFirstTabStop) {
    dlg_.m_nValue = 5;
    Run([&](HeadlessDialog& d) {
        EXPECT_EQ(backend_.Current(), &d);
        EXPECT_EQ(d.Caption(), "Test Dialog");
        EXPECT_EQ(d.Text(kIdValue), "5");
        EXPECT_EQ(d.Focus(), kIdValue);
        EXPECT_TRUE(d.AllTextSelected(kIdValue));
        EXPECT_TRUE(dlg_.m_btnApply.IsBound());
        EXPECT_FALSE(d.Enabled(kIdDisabled));
    });
    EXPECT_EQ(backend_.Current(), nullptr);
}

TEST_F(DialogFixture, InitThatPlacesTheFocusItselfKeepsIt) {
    dlg_.onInit = [](CTestDlg& dlg) {
        dlg.m_btnApply.SetFocus();
        return FALSE;
    };
    Run([&](HeadlessDialog& d) { EXPECT_EQ(d.Focus(), kIdApply); });
}

struct CloseCase {
    const char* name;
    std::function<void(HeadlessDialog&)> action;
    int result;
    bool fieldsRead;
    bool closedByAction = true;  // false: the window closes when the driver returns
};

// Names the case in test output instead of dumping its bytes.
std::ostream& operator<<(std::ostream& out, const CloseCase& c) {
    return out << c.name;
}

class CloseTest : public DialogFixture, public ::testing::WithParamInterface<CloseCase> {};

TEST_P(CloseTest, EndsWithTheRightResult) {
    const int result = Run([&](HeadlessDialog& d) {
        ASSERT_TRUE(d.Type(kIdValue, "42"));
        ASSERT_TRUE(d.Type(kIdName, "typed"));
        GetParam().action(d);
        EXPECT_EQ(d.Ended(), GetParam().closedByAction);
        if (d.Ended()) {
            EXPECT_FALSE(d.Click(kIdApply));  // a closed window takes no more clicks
        }
    });
    EXPECT_EQ(result, GetParam().result);
    EXPECT_EQ(dlg_.m_nValue, GetParam().fieldsRead ? 42 : 0);
    EXPECT_EQ(dlg_.m_strName, GetParam().fieldsRead ? "typed" : "");
    EXPECT_EQ(dlg_.destroyCalls, 1);
    EXPECT_EQ(dlg_.applyClicks, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Table, CloseTest,
    ::testing::Values(
        CloseCase{"EnterInAField", [](HeadlessDialog& d) { d.PressEnter(); }, IDOK, true},
        CloseCase{"OkButton", [](HeadlessDialog& d) { EXPECT_TRUE(d.Click(IDOK)); }, IDOK, true},
        CloseCase{"EnterOnFocusedOk",
                  [](HeadlessDialog& d) {
                      for (int i = 0; i < 20 && d.Focus() != IDOK; ++i) d.PressTab();
                      d.PressEnter();
                  },
                  IDOK, true},
        CloseCase{"Escape", [](HeadlessDialog& d) { d.PressEscape(); }, IDCANCEL, false},
        CloseCase{"CloseBox", [](HeadlessDialog& d) { d.CloseBox(); }, IDCANCEL, false},
        CloseCase{"CancelButton", [](HeadlessDialog& d) { EXPECT_TRUE(d.Click(IDCANCEL)); },
                  IDCANCEL, false},
        CloseCase{"DriverJustReturns", [](HeadlessDialog&) {}, IDCANCEL, false, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DialogFixture, EnterWithABadFieldKeepsTheWindowOpen) {
    Run([&](HeadlessDialog& d) {
        ASSERT_TRUE(d.Type(kIdValue, "300"));
        d.PressEnter();
        EXPECT_FALSE(d.Ended());
        EXPECT_EQ(d.Focus(), kIdValue);
        EXPECT_TRUE(d.AllTextSelected(kIdValue));
        ASSERT_EQ(backend_.Boxes().size(), 1u);
        EXPECT_EQ(backend_.Boxes()[0].text, "Please enter an integer between 0 and 255.");
        ASSERT_TRUE(d.Type(kIdValue, "20"));
        d.PressEnter();
        EXPECT_TRUE(d.Ended());
        EXPECT_EQ(d.Result(), IDOK);
    });
    EXPECT_EQ(dlg_.m_nValue, 20);
}

TEST_F(DialogFixture, EnterOnAFocusedButtonClicksIt) {
    Run([&](HeadlessDialog& d) {
        ASSERT_TRUE(d.Click(kIdApply));
        EXPECT_EQ(d.Focus(), kIdApply);
        d.PressEnter();
        EXPECT_EQ(dlg_.applyClicks, 2);
        EXPECT_FALSE(d.Ended());
        // A check box with the focus is no button: Enter means OK.
        ASSERT_TRUE(d.Tick(kIdKeep, true));
        d.PressEnter();
        EXPECT_TRUE(d.Ended());
    });
    EXPECT_EQ(dlg_.m_bKeep, 1);
}

TEST_F(DialogFixture, DisabledButtonCannotBeClicked) {
    Run([&](HeadlessDialog& d) {
        EXPECT_FALSE(d.Click(kIdDisabled));
        dlg_.m_btnApply.EnableWindow(FALSE);
        EXPECT_FALSE(dlg_.m_btnApply.IsWindowEnabled());
        EXPECT_FALSE(d.Click(kIdApply));
        EXPECT_EQ(dlg_.m_btnApply.EnableWindow(TRUE), TRUE);  // it was disabled
        EXPECT_TRUE(d.Click(kIdApply));
    });
    EXPECT_EQ(dlg_.applyClicks, 1);
}

TEST_F(DialogFixture, DestroyRunsWhileControlsExistThenHandlesLetGo) {
    Run([&](HeadlessDialog& d) {
        CWnd* item = dlg_.GetDlgItem(kIdApplyAgain);
        ASSERT_NE(item, nullptr);
        item->EnableWindow(FALSE);
        EXPECT_FALSE(d.Enabled(kIdApplyAgain));
        d.PressEscape();
    });
    EXPECT_EQ(dlg_.destroyCalls, 1);
    EXPECT_TRUE(dlg_.controlsAliveAtDestroy);
    EXPECT_FALSE(dlg_.m_btnApply.IsBound());
    EXPECT_FALSE(dlg_.m_cboList.IsBound());
    EXPECT_EQ(dlg_.Peer(), nullptr);
    // Unbound handles are inert.
    CString text("stale");
    dlg_.m_btnApply.GetWindowText(text);
    EXPECT_EQ(text, "");
    EXPECT_EQ(dlg_.m_cboList.AddString("COM1"), -1);
    EXPECT_EQ(dlg_.GetDlgItem(kIdApply), nullptr);
}

TEST_F(DialogFixture, DialogCanRunAgainAfterClosing) {
    for (int round = 1; round <= 2; ++round) {
        Run([&](HeadlessDialog& d) {
            EXPECT_EQ(dlg_.m_cboList.AddString("COM1"), 0);
            EXPECT_EQ(d.ComboItems(kIdList).size(), 1u);
            ASSERT_TRUE(d.Click(kIdApply));
        });
    }
    EXPECT_EQ(dlg_.applyClicks, 2);
    EXPECT_EQ(dlg_.destroyCalls, 2);
}

TEST_F(DialogFixture, EndingInsideInitSkipsTheDriver) {
    dlg_.onInit = [](CTestDlg& dlg) {
        dlg.EndDialog(77);
        return TRUE;
    };
    bool driven = false;
    EXPECT_EQ(Run([&](HeadlessDialog&) { driven = true; }), 77);
    EXPECT_FALSE(driven);
    EXPECT_EQ(dlg_.destroyCalls, 1);
}

TEST_F(DialogFixture, MissingTemplateOrBackendGivesMinusOne) {
    CTestDlg missing(kMissingDialogId);
    EXPECT_EQ(missing.DoModal(), -1);
    afx::SetBackend(nullptr);
    EXPECT_EQ(dlg_.DoModal(), -1);
    afx::SetBackend(&backend_);
}

TEST_F(DialogFixture, IconsReachTheWindow) {
    const HICON icon = app_.LoadIcon(kTestIconId);
    Run([&](HeadlessDialog& d) {
        EXPECT_EQ(dlg_.SetIcon(icon, TRUE), nullptr);
        EXPECT_EQ(d.Icon(true), icon);
        EXPECT_EQ(d.Icon(false), nullptr);
        dlg_.SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
        EXPECT_EQ(d.Icon(false), icon);
        EXPECT_EQ(dlg_.SetIcon(nullptr, TRUE), icon);  // the previous icon comes back
    });
}

TEST_F(DialogFixture, MinimizedWindowPaintsTheIconInTheMiddle) {
    Run([&](HeadlessDialog& d) {
        d.Minimize(false);
        EXPECT_TRUE(d.DrawnIcons().empty());
        EXPECT_FALSE(dlg_.IsIconic());

        d.Minimize(true);
        EXPECT_TRUE(dlg_.IsIconic());
        CRect client;
        dlg_.GetClientRect(&client);
        EXPECT_GT(client.Width(), 32);
        ASSERT_EQ(d.DrawnIcons().size(), 1u);
        const auto& drawn = d.DrawnIcons()[0];
        EXPECT_EQ(drawn.icon, app_.LoadIcon(kTestIconId));
        // Centred to within the half pixel that integer division drops.
        EXPECT_LE(std::abs(2 * drawn.x + 32 - client.Width()), 1);
        EXPECT_LE(std::abs(2 * drawn.y + 32 - client.Height()), 1);
    });
    EXPECT_EQ(GetSystemMetrics(SM_CXICON), 32);
    EXPECT_EQ(GetSystemMetrics(SM_CYICON), 32);
}

// F1 asks the dialog's own map first and the application's map after it.
class CHelpApp : public CWinApp {
  public:
    using CWinApp::CWinApp;
    int helpRequests = 0;
    afx_msg void OnAppHelp() { ++helpRequests; }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CHelpApp, CWinApp)
ON_COMMAND(ID_HELP, &CHelpApp::OnAppHelp)
END_MESSAGE_MAP()

class CHelpDlg : public CTestDlg {
  public:
    int helpRequests = 0;
    afx_msg void OnDialogHelp() { ++helpRequests; }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CHelpDlg, CTestDlg)
ON_COMMAND(ID_HELP, &CHelpDlg::OnDialogHelp)
END_MESSAGE_MAP()

TEST(DialogHelpTest, F1GoesToTheDialogThenTheApplication) {
    test_support::ScopedConfigHome home;
    CHelpApp app;
    HeadlessBackend backend;
    CHelpDlg withHelp;
    backend.SetDriver([&](HeadlessDialog& d) {
        d.PressF1();
        EXPECT_TRUE(d.Click(kIdApply));  // the base dialog's map still works
    });
    withHelp.DoModal();
    EXPECT_EQ(withHelp.helpRequests, 1);
    EXPECT_EQ(withHelp.applyClicks, 1);
    EXPECT_EQ(app.helpRequests, 0);

    CTestDlg plain;
    backend.SetDriver([&](HeadlessDialog& d) { d.PressF1(); });
    plain.DoModal();
    EXPECT_EQ(app.helpRequests, 1);
}

TEST_F(DialogFixture, F1WithTheFrameworksHelpDoesNothing) {
    Run([&](HeadlessDialog& d) {
        d.PressF1();
        EXPECT_FALSE(d.Ended());
    });
    EXPECT_TRUE(backend_.Boxes().empty());
}

}  // namespace
}  // namespace afx_test
