// Connecting to the timer, reading its settings, and letting it go.

#include <fcntl.h>
#include <unistd.h>

#include "tests/window/window_fixture.h"

namespace windowtest {
namespace {

class Connection : public WindowTest {};

void ExpectConnectedButtons(const HeadlessDialog& window, bool connected) {
    EXPECT_EQ(window.Enabled(IDC_CONNECT), !connected);
    for (int id : kTimerButtons) EXPECT_EQ(window.Enabled(id), connected) << id;
}

TEST_F(Connection, TimerThatAnswersIsConnectedStoredAndRead) {
    sim::Options options;
    options.initial.timeout = 42;
    options.initial.finishMode = false;
    options.initial.lanes = {true, false, true, false, false, true};
    StartTimer(options);
    RunApp([&](CTimerConfigDlg& dlg, HeadlessDialog& window) {
        Connect(window);
        EXPECT_TRUE(Boxes().empty()) << BoxTexts()[0];
        EXPECT_EQ(window.Text(IDC_VERSION),
                  std::string(sim::kVersionLine1) + "\r\n" + sim::kVersionLine2);
        EXPECT_EQ(Shown(window),
                  "T=42 F=Detect finish on pin low (GND).  Normal state is pin high (+5v) when "
                  "finish line is illuminated G=Starting gate switch is ON when gate is closed. "
                  "S=Segment is on when pin is high (+5v).  Pin low (GND) turns segment off "
                  "D=Digit is on when pin is low (GND).  Pin high (+5v) turns digit off "
                  "lanes=101001");
        EXPECT_NE(dlg.m_hPort, INVALID_HANDLE_VALUE);
        ExpectConnectedButtons(window, true);
        // Connect was disabled under the focus, which moved on to the next control.
        EXPECT_EQ(window.Focus(), IDC_RACE_TIMEOUT);
        EXPECT_EQ(Timer().ReceivedBytes(), kConnectBytes);
        EXPECT_TRUE(Timer().State().setupMode);
        EXPECT_EQ(StoredPort(), kTimerPort);
        window.PressEscape();
    });
}

TEST_F(Connection, RefreshReadsEverySettingAgainInOrder) {
    StartTimer();
    RunApp([&](CTimerConfigDlg&, HeadlessDialog& window) {
        Connect(window);
        sim::TimerState changed = Timer().State();
        changed.timeout = 7;
        changed.digitMode = true;
        Timer().SetState(changed);
        window.Click(IDC_REFRESH);
        EXPECT_EQ(Timer().ReceivedBytes(), std::string(kConnectBytes) + kRefreshBytes);
        EXPECT_EQ(window.Text(IDC_RACE_TIMEOUT), "7");
        EXPECT_EQ(window.Text(IDC_DIGIT_TEXT),
                  "Digit is on when pin is high (+5v).  Pin low (GND) turns digit off");
        window.PressEscape();
    });
}

TEST_F(Connection, DisconnectLeavesSetupModeAndKeepsTheLastValuesShown) {
    StartTimer();
    RunApp([&](CTimerConfigDlg& dlg, HeadlessDialog& window) {
        Connect(window);
        const std::string shown = Shown(window);
        window.Click(IDC_DISCONNECT);
        EXPECT_TRUE(Timer().WaitForReceived(strlen(kConnectBytes) + 1, 2000));
        EXPECT_EQ(Timer().ReceivedBytes(), std::string(kConnectBytes) + "X");
        EXPECT_EQ(dlg.m_hPort, INVALID_HANDLE_VALUE);
        ExpectConnectedButtons(window, false);
        EXPECT_EQ(window.Focus(), IDC_RACE_TIMEOUT);
        EXPECT_EQ(Shown(window), shown);
        // The port is free again.
        HANDLE again = CreateFileA("\\\\.\\COM9", GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                   OPEN_EXISTING, 0, nullptr);
        EXPECT_NE(again, INVALID_HANDLE_VALUE);
        CloseHandle(again);
        window.PressEscape();
    });
    // Closing a disconnected window sends nothing more.
    EXPECT_EQ(Timer().ReceivedBytes(), std::string(kConnectBytes) + "X");
}

TEST_F(Connection, ClosingWhileConnectedReleasesTheTimer) {
    StartTimer();
    RunApp([&](CTimerConfigDlg&, HeadlessDialog& window) {
        Connect(window);
        window.Type(IDC_RACE_TIMEOUT, "20");
        window.PressEnter();  // OK: the timeout is read, not sent
        EXPECT_TRUE(window.Ended());
    });
    EXPECT_TRUE(Timer().WaitForReceived(strlen(kConnectBytes) + 1, 2000));
    EXPECT_EQ(Timer().ReceivedBytes(), std::string(kConnectBytes) + "X");
    EXPECT_FALSE(Timer().State().setupMode);
}

TEST_F(Connection, TimerSilentToVersionIsReachedByLeavingSetupMode) {
    sim::Options options;
    options.quirks.silentToVersion = true;
    StartTimer(options);
    RunApp([&](CTimerConfigDlg& dlg, HeadlessDialog& window) {
        Connect(window);
        EXPECT_TRUE(Boxes().empty());
        EXPECT_NE(dlg.m_hPort, INVALID_HANDLE_VALUE);
        EXPECT_EQ(Timer().ReceivedBytes(), std::string("VX") + (kConnectBytes + 1));
        // The answer to "X" became the version's first line.
        const std::string version = window.Text(IDC_VERSION);
        EXPECT_FALSE(version.empty());
        EXPECT_EQ(version.find('\n'), version.find("\r\n") + 1);
        window.PressEscape();
    });
}

struct SetupCase {
    const char* name;
    bool lowercase;
    int linesBefore;
    friend void PrintTo(const SetupCase& c, std::ostream* os) { *os << c.name; }
};

class SetupHandshake : public WindowTest, public testing::WithParamInterface<SetupCase> {};

TEST_P(SetupHandshake, IsAcceptedWithoutWarning) {
    sim::Options options;
    options.quirks.lowercaseSetup = GetParam().lowercase;
    options.quirks.linesBeforeSetup = GetParam().linesBefore;
    StartTimer(options);
    RunApp([&](CTimerConfigDlg&, HeadlessDialog& window) {
        Connect(window);
        EXPECT_TRUE(Boxes().empty());
        EXPECT_EQ(Timer().ReceivedBytes(), kConnectBytes);
        EXPECT_EQ(window.Text(IDC_RACE_TIMEOUT), "30");
        window.PressEscape();
    });
}

INSTANTIATE_TEST_SUITE_P(Variants, SetupHandshake,
                         testing::Values(SetupCase{"LowerCase", true, 0},
                                         SetupCase{"TwoLinesFirst", false, 2},
                                         SetupCase{"ThreeLinesFirst", false, 3}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Connection, TimerThatNeverConfirmsSetupIsStillConnectedAndRead) {
    sim::Options options;
    options.quirks.neverSetup = true;
    options.initial.timeout = 99;
    StartTimer(options);
    RunApp([&](CTimerConfigDlg& dlg, HeadlessDialog& window) {
        Connect(window);
        EXPECT_EQ(BoxTexts(), std::vector<std::string>{kSetupWarning});
        EXPECT_EQ(Boxes()[0].type & MB_ICONMASK, MB_ICONWARNING);
        EXPECT_NE(dlg.m_hPort, INVALID_HANDLE_VALUE);
        EXPECT_EQ(StoredPort(), kTimerPort);
        EXPECT_EQ(window.Text(IDC_RACE_TIMEOUT), "99");
        ExpectConnectedButtons(window, true);
        window.PressEscape();
    });
}

TEST_F(Connection, BusyPortWarnsAndChangesNothing) {
    StartTimer();
    HANDLE held = CreateFileA("\\\\.\\COM9", GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    RunApp([&](CTimerConfigDlg& dlg, HeadlessDialog& window) {
        window.Type(IDC_RACE_TIMEOUT, "17");
        Connect(window);
        EXPECT_EQ(BoxTexts(), std::vector<std::string>{kBusyWarning});
        EXPECT_EQ(window.Text(IDC_VERSION), "");
        // The connect began by putting the held fields back into the controls.
        EXPECT_EQ(window.Text(IDC_RACE_TIMEOUT), "0");
        EXPECT_EQ(dlg.m_hPort, INVALID_HANDLE_VALUE);
        ExpectConnectedButtons(window, false);
        window.PressEscape();
    });
    CloseHandle(held);
    EXPECT_EQ(Timer().ReceivedBytes(), "");
    EXPECT_EQ(StoredPort(), "");
}

TEST_F(Connection, AbsentPortIsReportedAsATimerNotResponding) {
    RunApp([&](CTimerConfigDlg& dlg, HeadlessDialog& window) {
        Connect(window, "COM42");
        EXPECT_EQ(BoxTexts(), std::vector<std::string>{"Timer not responding on COM42"});
        EXPECT_EQ(dlg.m_hPort, INVALID_HANDLE_VALUE);
        ExpectConnectedButtons(window, false);
        window.PressEscape();
    });
    EXPECT_EQ(StoredPort(), "");
}

TEST_F(Connection, SomethingOtherThanASerialPortIsRefusedBeforeAnyByteIsWritten) {
    const std::string file = home_.Path().string() + "/not-a-port";
    { std::ofstream(file) << ""; }
    home_.MapPort("COM5", file);
    // A character device that is not a terminal.
    home_.MapPort("COM6", "/dev/null");
    for (const std::string& name : {std::string("COM5"), file, std::string("COM6")}) {
        Backend().ClearBoxes();
        RunApp([&](CTimerConfigDlg& dlg, HeadlessDialog& window) {
            Connect(window, name);
            EXPECT_EQ(BoxTexts(), std::vector<std::string>{"Timer not responding on " + name});
            EXPECT_EQ(dlg.m_hPort, INVALID_HANDLE_VALUE);
            window.PressEscape();
        });
    }
    std::ifstream in(file, std::ios::binary | std::ios::ate);
    EXPECT_EQ(in.tellg(), 0);
}

TEST_F(Connection, SilentTimerIsReportedAndReleased) {
    sim::Options options;
    options.quirks.silent = true;
    StartTimer(options);
    RunApp([&](CTimerConfigDlg& dlg, HeadlessDialog& window) {
        Connect(window);
        EXPECT_EQ(BoxTexts(), std::vector<std::string>{"Timer not responding on COM9"});
        EXPECT_EQ(dlg.m_hPort, INVALID_HANDLE_VALUE);
        ExpectConnectedButtons(window, false);
        window.PressEscape();
    });
    EXPECT_EQ(Timer().ReceivedBytes(), "VX");
    EXPECT_EQ(StoredPort(), "");
}

}  // namespace
}  // namespace windowtest
