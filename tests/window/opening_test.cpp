// The window's opening steps, its data exchange, and how it closes.

#include "tests/window/window_fixture.h"

namespace windowtest {
namespace {

class Opening : public WindowTest {};

TEST_F(Opening, FirstStartShowsEmptyFieldsAndOnlyConnectEnabled) {
    RunApp([&](CTimerConfigDlg&, HeadlessDialog& window) {
        EXPECT_EQ(window.Caption(), "Zelvora");
        EXPECT_EQ(window.Text(IDC_PORT), "");
        EXPECT_TRUE(window.Enabled(IDC_CONNECT));
        for (int id : kTimerButtons) EXPECT_FALSE(window.Enabled(id)) << id;
        // The bound texts lose their template text; the timeout field shows 0.
        for (int id :
             {IDC_VERSION, IDC_FINISH_TEXT, IDC_SEGMENT_TEXT, IDC_DIGIT_TEXT, IDC_GATE_TEXT})
            EXPECT_EQ(window.Text(id), "") << id;
        EXPECT_EQ(window.Text(IDC_RACE_TIMEOUT), "0");
        for (int i = 0; i < 6; ++i) EXPECT_EQ(window.Check(IDC_LANE1 + i), 0);
        // Controls that never depend on the connection.
        for (int id : {IDC_PORT, IDC_RACE_TIMEOUT, IDC_RACE_TIMEOUT_SPIN, IDC_LANE1, IDC_CLOSE})
            EXPECT_TRUE(window.Enabled(id)) << id;
        EXPECT_EQ(window.Focus(), IDC_PORT);
        EXPECT_NE(window.Icon(true), nullptr);
        EXPECT_EQ(window.Icon(true), window.Icon(false));
    });
}

TEST_F(Opening, StoredPortIsTypedInButNotListed) {
    StorePort("COM7");
    sim::PtyTimer& timer = StartTimer();
    home_.MapPort("COM12", timer.DevicePath());
    RunApp([&](CTimerConfigDlg& dlg, HeadlessDialog& window) {
        EXPECT_EQ(window.Text(IDC_PORT), "COM7");
        EXPECT_EQ(std::string(dlg.m_strPortName.Text()), "COM7");
        const auto items = window.ComboItems(IDC_PORT);
        EXPECT_EQ(std::count(items.begin(), items.end(), "COM7"), 0);
    });
}

TEST_F(Opening, PortsAreListedInTextOrderWithBusyOnesIncluded) {
    sim::PtyTimer one;
    sim::PtyTimer two;
    sim::PtyTimer ten;
    home_.MapPort("COM1", one.DevicePath());
    home_.MapPort("COM2", two.DevicePath());
    home_.MapPort("COM10", ten.DevicePath());
    // Another program holds COM2: it is still there, so it is listed.
    HANDLE held = CreateFileA("\\\\.\\COM2", GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    RunApp([&](CTimerConfigDlg&, HeadlessDialog& window) {
        std::vector<std::string> ours;
        for (const auto& item : window.ComboItems(IDC_PORT))
            if (item == "COM1" || item == "COM2" || item == "COM10") ours.push_back(item);
        EXPECT_EQ(ours, (std::vector<std::string>{"COM1", "COM10", "COM2"}));
    });
    CloseHandle(held);
    // Probing wrote nothing to any port.
    EXPECT_EQ(one.ReceivedBytes(), "");
    EXPECT_EQ(ten.ReceivedBytes(), "");
}

// Data exchange when the window closes with OK.

TEST_F(Opening, EnterWithAnOutOfRangeTimeoutWarnsAndKeepsTheWindowOpen) {
    RunApp([&](CTimerConfigDlg& dlg, HeadlessDialog& window) {
        window.Type(IDC_RACE_TIMEOUT, "300");
        window.Tick(IDC_LANE1 + 2, true);
        window.PressEnter();
        EXPECT_FALSE(window.Ended());
        ASSERT_EQ(BoxTexts(),
                  std::vector<std::string>{"Please enter an integer between 0 and 255."});
        EXPECT_EQ(Boxes()[0].caption, std::string(theApp.m_strAppName.Text()));
        EXPECT_EQ(Boxes()[0].type & MB_ICONMASK, MB_ICONWARNING);
        EXPECT_EQ(window.Focus(), IDC_RACE_TIMEOUT);
        EXPECT_TRUE(window.AllTextSelected(IDC_RACE_TIMEOUT));
        // The number parsed before the range check failed; the fields after it were not read.
        EXPECT_EQ(dlg.m_nRaceTimeout, 300);
        EXPECT_EQ(dlg.m_bLane3, 0);
        window.PressEscape();
    });
}

TEST_F(Opening, TimeoutFieldTakesDigitsOnly) {
    RunApp([&](CTimerConfigDlg&, HeadlessDialog& window) {
        ASSERT_TRUE(window.Type(IDC_RACE_TIMEOUT, "12"));
        for (const char* typed : {"abc", "12x", "-1", " 5"})
            EXPECT_FALSE(window.Type(IDC_RACE_TIMEOUT, typed)) << typed;
        EXPECT_EQ(window.Text(IDC_RACE_TIMEOUT), "12");
        window.PressEscape();
    });
}

TEST_F(Opening, EnterWithNoNumberInTheTimeoutAsksForAnInteger) {
    for (const char* typed : {"", "99999999999999"}) {
        Backend().ClearBoxes();
        RunApp([&](CTimerConfigDlg& dlg, HeadlessDialog& window) {
            window.Type(IDC_RACE_TIMEOUT, typed);
            window.PressEnter();
            EXPECT_FALSE(window.Ended()) << typed;
            EXPECT_EQ(BoxTexts(), std::vector<std::string>{"Please enter an integer."}) << typed;
            EXPECT_EQ(dlg.m_nRaceTimeout, 0) << typed;
            EXPECT_EQ(window.Focus(), IDC_RACE_TIMEOUT);
            EXPECT_TRUE(window.AllTextSelected(IDC_RACE_TIMEOUT));
            window.PressEscape();
        });
    }
}

TEST_F(Opening, EnterWithValidFieldsReadsThemAndCloses) {
    RunApp([&](CTimerConfigDlg& dlg, HeadlessDialog& window) {
        window.Type(IDC_RACE_TIMEOUT, "20");
        window.Tick(IDC_LANE1 + 5, true);
        window.PressEnter();
        EXPECT_TRUE(window.Ended());
        EXPECT_EQ(window.Result(), IDOK);
        EXPECT_EQ(dlg.m_nRaceTimeout, 20);
        EXPECT_EQ(dlg.m_bLane6, 1);
    });
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(Opening, CancelClosesAtOnceWithoutReadingTheFields) {
    for (int way = 0; way < 3; ++way) {
        RunApp([&](CTimerConfigDlg& dlg, HeadlessDialog& window) {
            window.Type(IDC_RACE_TIMEOUT, "not a number");
            if (way == 0) window.PressEscape();
            if (way == 1) window.CloseBox();
            if (way == 2) window.Click(IDC_CLOSE);
            EXPECT_TRUE(window.Ended());
            EXPECT_EQ(window.Result(), IDCANCEL);
            EXPECT_EQ(dlg.m_nRaceTimeout, 0);
        });
        EXPECT_TRUE(Boxes().empty());
    }
}

TEST_F(Opening, F1DoesNothingHarmful) {
    RunApp([&](CTimerConfigDlg&, HeadlessDialog& window) {
        window.PressF1();
        EXPECT_FALSE(window.Ended());
        EXPECT_TRUE(Boxes().empty());
        window.PressEscape();
    });
}

TEST_F(Opening, MinimizedWindowPaintsTheIconCentred) {
    RunApp([&](CTimerConfigDlg&, HeadlessDialog& window) {
        window.Minimize(true);
        int width = 0, height = 0;
        window.GetClientSize(width, height);
        const int icon = GetSystemMetrics(SM_CXICON);
        ASSERT_EQ(window.DrawnIcons().size(), 1u);
        EXPECT_EQ(window.DrawnIcons()[0].x, (width - icon + 1) / 2);
        EXPECT_EQ(window.DrawnIcons()[0].y, (height - GetSystemMetrics(SM_CYICON) + 1) / 2);
        EXPECT_EQ(window.DrawnIcons()[0].icon, window.Icon(true));
        window.PressEscape();
    });
}

}  // namespace
}  // namespace windowtest
