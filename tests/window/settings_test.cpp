// Changing the timer's settings from the window.

#include "tests/window/window_fixture.h"

namespace windowtest {
namespace {

class Settings : public WindowTest {
  protected:
    // Connects, runs `actions`, and returns what the timer heard after the connect.
    std::string AfterConnect(const std::function<void(CTimerConfigDlg&, HeadlessDialog&)>& actions,
                             sim::Options options = {}) {
        StartTimer(std::move(options));
        std::string heard;
        RunApp([&](CTimerConfigDlg& dlg, HeadlessDialog& window) {
            Connect(window);
            EXPECT_EQ(Timer().ReceivedBytes(), kConnectBytes);
            Backend().ClearBoxes();
            actions(dlg, window);
            heard = Timer().ReceivedBytes().substr(strlen(kConnectBytes));
            window.PressEscape();
        });
        return heard;
    }
};

struct ModeCase {
    const char* name;
    int button;
    int textId;
    bool initial;  // the flag the timer holds
    const char* question;
    const char* command;
    const char* sentenceAfterYes;
    friend void PrintTo(const ModeCase& c, std::ostream* os) { *os << c.name; }
};

class ModeChange : public Settings, public testing::WithParamInterface<ModeCase> {
  protected:
    static sim::Options WithFlag(const ModeCase& c) {
        sim::Options options;
        auto& s = options.initial;
        switch (c.button) {
            case IDC_CHANGE_FINISH_MODE:
                s.finishMode = c.initial;
                break;
            case IDC_CHANGE_GATE_MODE:
                s.gateMode = c.initial;
                break;
            case IDC_CHANGE_SEGMENT_MODE:
                s.segmentMode = c.initial;
                break;
            default:
                s.digitMode = c.initial;
                break;
        }
        return options;
    }
};

TEST_P(ModeChange, YesSendsTheSwitchThenReadsEverything) {
    const ModeCase& c = GetParam();
    Backend().AnswerNext(IDYES);
    const std::string heard = AfterConnect(
        [&](CTimerConfigDlg&, HeadlessDialog& window) {
            // The connect's own boxes are gone; the answer is still queued for the question.
            ASSERT_TRUE(window.Click(c.button));
            ASSERT_EQ(BoxTexts(), std::vector<std::string>{c.question});
            EXPECT_EQ(Boxes()[0].type, MB_ICONQUESTION | MB_YESNO);
            EXPECT_EQ(window.Text(c.textId), c.sentenceAfterYes);
        },
        WithFlag(c));
    EXPECT_EQ(heard, std::string(c.command) + kRefreshBytes);
}

TEST_P(ModeChange, NoSendsNothingButReadsEverything) {
    const ModeCase& c = GetParam();
    Backend().AnswerNext(IDNO);
    std::string before;
    const std::string heard = AfterConnect(
        [&](CTimerConfigDlg&, HeadlessDialog& window) {
            before = window.Text(c.textId);
            ASSERT_TRUE(window.Click(c.button));
            ASSERT_EQ(BoxTexts(), std::vector<std::string>{c.question});
            EXPECT_EQ(window.Text(c.textId), before);
        },
        WithFlag(c));
    EXPECT_EQ(heard, kRefreshBytes);
}

INSTANTIATE_TEST_SUITE_P(
    AllModes, ModeChange,
    testing::Values(
        ModeCase{"FinishHigh", IDC_CHANGE_FINISH_MODE, IDC_FINISH_TEXT, true,
                 "Finish line is currently set to detect a finish when the pin goes high "
                 "(+5v).\r\nSwitch to finish on pin low (GND)?",
                 "F0",
                 "Detect finish on pin low (GND).  Normal state is pin high (+5v) when finish "
                 "line is illuminated"},
        ModeCase{"FinishLow", IDC_CHANGE_FINISH_MODE, IDC_FINISH_TEXT, false,
                 "Finish line is currently set to detect a finish when the pin goes low "
                 "(0v/GND).\r\nSwitch to finish on pin high (+5v)?",
                 "F1",
                 "Detect finish on pin high (+5v).  Normal state is pin low (GND) when finish "
                 "line is illuminated"},
        ModeCase{"SegmentHigh", IDC_CHANGE_SEGMENT_MODE, IDC_SEGMENT_TEXT, true,
                 "Currently set to raise a pin high (+5v) to turn on a segment.\r\nSwitch to "
                 "segment active on pin low (0v/GND)?",
                 "S0", "Segment is on when pin is low (GND).  Pin high (+5v) turns segment off"},
        ModeCase{"SegmentLow", IDC_CHANGE_SEGMENT_MODE, IDC_SEGMENT_TEXT, false,
                 "Currently set to pull a pin low (0v/GND) to turn on a segment.\r\nSwitch to "
                 "segment active on pin high (+5v)?",
                 "S1", "Segment is on when pin is high (+5v).  Pin low (GND) turns segment off"},
        ModeCase{"DigitHigh", IDC_CHANGE_DIGIT_MODE, IDC_DIGIT_TEXT, true,
                 "Currently set to raise a pin high (+5v) to turn on a digit.\r\nSwitch to digit "
                 "active on pin low (0v/GND)?",
                 "D0", "Digit is on when pin is low (GND).  Pin high (+5v) turns digit off"},
        ModeCase{"DigitLow", IDC_CHANGE_DIGIT_MODE, IDC_DIGIT_TEXT, false,
                 "Currently set to pull a pin low (0v/GND) to turn on a digit.\r\nSwitch to digit "
                 "active on pin high (+5v)?",
                 "D1", "Digit is on when pin is high (+5v).  Pin low (GND) turns digit off"},
        ModeCase{"GateOn", IDC_CHANGE_GATE_MODE, IDC_GATE_TEXT, true,
                 "Starting Gate Switch is currently set to ON when the gate is closed and OFF "
                 "when gate is open.\r\nSwitch to OFF when gate is closed?",
                 "G0", "Starting gate switch is OFF when gate is closed."},
        ModeCase{"GateOff", IDC_CHANGE_GATE_MODE, IDC_GATE_TEXT, false,
                 "Starting Gate Switch is currently set to OFF when gate is closed and ON when "
                 "gate is open.\r\nSwitch to ON when gate is closed?",
                 "G1", "Starting gate switch is ON when gate is closed."}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Settings, TimeoutIsSentZeroPaddedAndTheReplyShown) {
    const std::string heard = AfterConnect([&](CTimerConfigDlg& dlg, HeadlessDialog& window) {
        window.Type(IDC_RACE_TIMEOUT, "5");
        ASSERT_TRUE(window.Click(IDC_SET_TIMEOUT));
        EXPECT_EQ(window.Text(IDC_RACE_TIMEOUT), "5");
        EXPECT_EQ(dlg.m_nRaceTimeout, 5);
        EXPECT_TRUE(Boxes().empty());
    });
    EXPECT_EQ(heard, "T005");
    EXPECT_EQ(Timer().State().timeout, 5);
}

TEST_F(Settings, TimeoutShowsWhatTheTimerAnswersNotWhatWasTyped) {
    sim::Options options;
    options.initial.timeout = 10;
    const std::string heard = AfterConnect(
        [&](CTimerConfigDlg& dlg, HeadlessDialog& window) {
            // Out of setup mode (power-cycled, say) the timer refuses setters and answers
            // with the value it keeps.
            sim::TimerState state = Timer().State();
            state.setupMode = false;
            Timer().SetState(state);
            window.Type(IDC_RACE_TIMEOUT, "5");
            ASSERT_TRUE(window.Click(IDC_SET_TIMEOUT));
            EXPECT_EQ(window.Text(IDC_RACE_TIMEOUT), "10");
            EXPECT_EQ(dlg.m_nRaceTimeout, 10);
        },
        options);
    EXPECT_EQ(heard, "T005");
}

TEST_F(Settings, InvalidTimeoutIsNeverSent) {
    struct Row {
        const char* typed;
        const char* warning;
    };
    const Row rows[] = {{"300", "Please enter an integer between 0 and 255."},
                        {"256", "Please enter an integer between 0 and 255."},
                        {"", "Please enter an integer."},
                        {"99999999999", "Please enter an integer."}};
    const std::string heard = AfterConnect([&](CTimerConfigDlg&, HeadlessDialog& window) {
        for (const Row& row : rows) {
            Backend().ClearBoxes();
            window.Type(IDC_RACE_TIMEOUT, row.typed);
            ASSERT_TRUE(window.Click(IDC_SET_TIMEOUT));
            EXPECT_EQ(BoxTexts(), std::vector<std::string>{row.warning}) << row.typed;
            EXPECT_EQ(window.Focus(), IDC_RACE_TIMEOUT) << row.typed;
            EXPECT_TRUE(window.AllTextSelected(IDC_RACE_TIMEOUT)) << row.typed;
            EXPECT_EQ(window.Text(IDC_RACE_TIMEOUT), row.typed);
        }
    });
    EXPECT_EQ(heard, "");
    EXPECT_EQ(Timer().State().timeout, 30);
}

TEST_F(Settings, LanesConfirmedAreSentAndEchoed) {
    Backend().AnswerNext(IDYES);
    const std::string heard = AfterConnect([&](CTimerConfigDlg& dlg, HeadlessDialog& window) {
        for (int i = 0; i < 6; ++i) window.Tick(IDC_LANE1 + i, i == 0 || i == 1 || i == 3);
        ASSERT_TRUE(window.Click(IDC_SET_ACTIVE_LANES));
        EXPECT_EQ(BoxTexts(),
                  std::vector<std::string>{"Are you sure you want to change the active lanes?"});
        EXPECT_EQ(Boxes()[0].type, MB_ICONQUESTION | MB_YESNO);
        EXPECT_EQ(dlg.m_bLane4, 1);
        EXPECT_EQ(dlg.m_bLane6, 0);
    });
    EXPECT_EQ(heard, "L00001011");
    EXPECT_EQ(Timer().State().lanes, (std::array<bool, 6>{true, true, false, true, false, false}));
}

TEST_F(Settings, LanesDeclinedAreReadBackFromTheTimer) {
    Backend().AnswerNext(IDNO);
    const std::string heard = AfterConnect([&](CTimerConfigDlg&, HeadlessDialog& window) {
        for (int i = 0; i < 6; ++i) window.Tick(IDC_LANE1 + i, false);
        ASSERT_TRUE(window.Click(IDC_SET_ACTIVE_LANES));
        ASSERT_EQ(Boxes().size(), 1u);
        for (int i = 0; i < 6; ++i) EXPECT_EQ(window.Check(IDC_LANE1 + i), 1) << i;
    });
    EXPECT_EQ(heard, kRefreshBytes);
}

TEST_F(Settings, LanesWithAWrongEchoAreReported) {
    sim::Options options;
    options.quirks.wrongLanesEcho = true;
    Backend().AnswerNext(IDYES);
    const std::string heard = AfterConnect(
        [&](CTimerConfigDlg&, HeadlessDialog& window) {
            window.Tick(IDC_LANE1 + 5, false);
            ASSERT_TRUE(window.Click(IDC_SET_ACTIVE_LANES));
            EXPECT_EQ(BoxTexts(),
                      (std::vector<std::string>{"Are you sure you want to change the active lanes?",
                                                "Error setting lanes!"}));
            EXPECT_EQ(Boxes()[1].type & MB_ICONMASK, MB_ICONWARNING);
            // The boxes keep the user's choice.
            EXPECT_EQ(window.Check(IDC_LANE1 + 5), 0);
        },
        options);
    EXPECT_EQ(heard, "L00011111");
}

TEST_F(Settings, LanesAreNotSentWhileTheTimeoutIsInvalid) {
    Backend().AnswerNext(IDYES);
    const std::string heard = AfterConnect([&](CTimerConfigDlg&, HeadlessDialog& window) {
        window.Type(IDC_RACE_TIMEOUT, "300");
        window.Tick(IDC_LANE1, false);
        ASSERT_TRUE(window.Click(IDC_SET_ACTIVE_LANES));
        EXPECT_EQ(BoxTexts(),
                  (std::vector<std::string>{"Are you sure you want to change the active lanes?",
                                            "Please enter an integer between 0 and 255."}));
        EXPECT_EQ(window.Focus(), IDC_RACE_TIMEOUT);
    });
    EXPECT_EQ(heard, "");
}

TEST_F(Settings, ATimerThatGoesAwayShowsErrorSentencesAndKeepsLanes) {
    // The adapter is pulled after V, yub and the six queries of the connect.
    sim::Options options;
    options.quirks.closeAfter = 8;
    const std::string heard = AfterConnect(
        [&](CTimerConfigDlg& dlg, HeadlessDialog& window) {
            const BOOL finish = dlg.m_bFinishMode;
            window.Click(IDC_REFRESH);
            EXPECT_EQ(Shown(window),
                      "T=0 F=Error reading finish line setting G=Error reading starting gate "
                      "setting S=Error reading segment setting D=Error reading digit setting "
                      "lanes=111111");
            EXPECT_EQ(dlg.m_bFinishMode, finish);
            EXPECT_NE(dlg.m_hPort, INVALID_HANDLE_VALUE);  // no loss detection
        },
        options);
    EXPECT_EQ(heard, "T");  // the first byte of the refresh, and then the line was gone
}

}  // namespace
}  // namespace windowtest
