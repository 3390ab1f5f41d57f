// The command set as tables: every command formed and every reply applied.

#include "link/timer_commands.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

using timerlink::Mode;

namespace {

CString Reply(const std::string& bytes) {
    return CString(bytes);
}

struct NumberCase {
    std::string reply;
    int expected;
    friend void PrintTo(const NumberCase& c, std::ostream* os) {
        *os << testing::PrintToString(c.reply);
    }
};

class ReplyNumber : public testing::TestWithParam<NumberCase> {};

TEST_P(ReplyNumber, IsReadFromTheSecondCharacterOn) {
    EXPECT_EQ(timerlink::ReadReplyNumber(Reply(GetParam().reply)), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Timeout, ReplyNumber,
    testing::Values(NumberCase{"T015", 15}, NumberCase{"T", 0}, NumberCase{"T 42", 42},
                    NumberCase{"Tx", 0}, NumberCase{"", 0}, NumberCase{"T255", 255},
                    NumberCase{"X7", 7},  // the first character is not examined
                    NumberCase{"T-5", -5}, NumberCase{"T+9", 9}, NumberCase{"T\t 12abc", 12},
                    NumberCase{"T0042", 42}, NumberCase{"T99999999999999999999", INT_MAX},
                    NumberCase{"T-99999999999999999999", INT_MIN},
                    NumberCase{std::string("T1\0"
                                           "5",
                                           4),
                               1},  // text ends at its first NUL
                    NumberCase{std::string("\0"
                                           "T15",
                                           4),
                               0}));

TEST(TimeoutCommand, IsZeroPaddedToThreeDigits) {
    EXPECT_STREQ(timerlink::TimeoutCommand(7), "T007");
    EXPECT_STREQ(timerlink::TimeoutCommand(0), "T000");
    EXPECT_STREQ(timerlink::TimeoutCommand(5), "T005");
    EXPECT_STREQ(timerlink::TimeoutCommand(255), "T255");
    EXPECT_STREQ(timerlink::TimeoutCommand(1000), "T1000");
}

struct ModeCase {
    Mode mode;
    std::string reply;
    BOOL flagBefore;
    BOOL flagAfter;
    std::string text;
    friend void PrintTo(const ModeCase& c, std::ostream* os) {
        *os << testing::PrintToString(c.reply);
    }
};

class ModeReply : public testing::TestWithParam<ModeCase> {};

TEST_P(ModeReply, SetsFlagAndSentence) {
    const ModeCase& c = GetParam();
    BOOL flag = c.flagBefore;
    CString text("left over");
    timerlink::ApplyModeReply(c.mode, Reply(c.reply), flag, text);
    EXPECT_EQ(flag, c.flagAfter);
    EXPECT_EQ(std::string(text.Text()), c.text);
}

INSTANTIATE_TEST_SUITE_P(
    AllModes, ModeReply,
    testing::Values(
        ModeCase{Mode::Finish, "F1", 0, 1,
                 "Detect finish on pin high (+5v).  Normal state is pin low (GND) when finish "
                 "line is illuminated"},
        ModeCase{Mode::Finish, "F0", 1, 0,
                 "Detect finish on pin low (GND).  Normal state is pin high (+5v) when finish "
                 "line is illuminated"},
        ModeCase{Mode::Finish, "f1", 0, 0, "Error reading finish line setting"},
        ModeCase{Mode::Finish, "f1", 1, 1, "Error reading finish line setting"},
        ModeCase{Mode::Finish, "F1 ", 0, 0, "Error reading finish line setting"},
        ModeCase{Mode::Finish, "", 1, 1, "Error reading finish line setting"},
        ModeCase{Mode::Gate, "G1", 0, 1, "Starting gate switch is ON when gate is closed."},
        ModeCase{Mode::Gate, "G0", 1, 0, "Starting gate switch is OFF when gate is closed."},
        ModeCase{Mode::Gate, "S1", 1, 1, "Error reading starting gate setting"},
        ModeCase{Mode::Segment, "S1", 0, 1,
                 "Segment is on when pin is high (+5v).  Pin low (GND) turns segment off"},
        ModeCase{Mode::Segment, "S0", 1, 0,
                 "Segment is on when pin is low (GND).  Pin high (+5v) turns segment off"},
        ModeCase{Mode::Segment, "S2", 0, 0, "Error reading segment setting"},
        ModeCase{Mode::Digit, "D1", 0, 1,
                 "Digit is on when pin is high (+5v).  Pin low (GND) turns digit off"},
        ModeCase{Mode::Digit, "D0", 1, 0,
                 "Digit is on when pin is low (GND).  Pin high (+5v) turns digit off"},
        ModeCase{Mode::Digit, std::string("D1\0", 3), 0, 1,
                 "Digit is on when pin is high (+5v).  Pin low (GND) turns digit off"},
        ModeCase{Mode::Digit, "F1", 1, 1, "Error reading digit setting"}));

TEST(ModeCommands, QueryAndSwitchAwayFromTheCurrentFlag) {
    struct Row {
        Mode mode;
        const char* query;
        const char* whenSet;
        const char* whenClear;
    };
    const Row rows[] = {{Mode::Finish, "F?", "F0", "F1"},
                        {Mode::Gate, "G?", "G0", "G1"},
                        {Mode::Segment, "S?", "S0", "S1"},
                        {Mode::Digit, "D?", "D0", "D1"}};
    for (const Row& row : rows) {
        EXPECT_STREQ(timerlink::ModeQuery(row.mode), row.query);
        EXPECT_STREQ(timerlink::ModeChangeCommand(row.mode, 1), row.whenSet);
        EXPECT_STREQ(timerlink::ModeChangeCommand(row.mode, 0), row.whenClear);
    }
}

struct LanesCase {
    std::string reply;
    timerlink::LaneValues before;  // lane 1 first
    timerlink::LaneValues after;
    friend void PrintTo(const LanesCase& c, std::ostream* os) {
        *os << testing::PrintToString(c.reply);
    }
};

class LanesReply : public testing::TestWithParam<LanesCase> {};

TEST_P(LanesReply, EachPositionDecidesOnlyItsOwnLane) {
    const LanesCase& c = GetParam();
    timerlink::LaneValues lanes = c.before;
    timerlink::LaneFields fields{};
    for (size_t i = 0; i < lanes.size(); ++i) fields[i] = &lanes[i];
    timerlink::ApplyLanesReply(Reply(c.reply), fields);
    EXPECT_EQ(lanes, c.after);
}

INSTANTIATE_TEST_SUITE_P(
    Lanes, LanesReply,
    testing::Values(LanesCase{"L00100000", {1, 1, 1, 1, 1, 1}, {0, 0, 0, 0, 0, 1}},
                    // lanes 6..1 = '1','?','0','1','0','1'
                    LanesCase{"L001?0101", {0, 1, 1, 0, 1, 0}, {1, 0, 1, 0, 1, 1}},
                    LanesCase{"L001", {1, 0, 1, 0, 1, 0}, {1, 0, 1, 0, 1, 1}},
                    LanesCase{"X00111111", {0, 1, 0, 1, 0, 1}, {0, 1, 0, 1, 0, 1}},
                    LanesCase{"", {1, 0, 0, 0, 0, 1}, {1, 0, 0, 0, 0, 1}},
                    LanesCase{"Lxx111111", {0, 0, 0, 0, 0, 0}, {1, 1, 1, 1, 1, 1}},
                    LanesCase{"L00000000extra", {1, 1, 1, 1, 1, 1}, {0, 0, 0, 0, 0, 0}},
                    LanesCase{std::string("L0011\0"
                                          "111",
                                          9),
                              {0, 0, 0, 0, 0, 0},
                              {0, 0, 0, 0, 1, 1}}));

TEST(LanesCommand, CarriesLaneSixFirst) {
    EXPECT_STREQ(timerlink::LanesCommand({1, 1, 0, 1, 0, 0}), "L00001011");
    EXPECT_STREQ(timerlink::LanesCommand({1, 1, 1, 1, 1, 1}), "L00111111");
    EXPECT_STREQ(timerlink::LanesCommand({0, 0, 0, 0, 0, 0}), "L00000000");
    EXPECT_STREQ(timerlink::LanesCommand({0, 0, 0, 0, 0, 1}), "L00100000");
}

TEST(SetupReply, IsComparedWithoutCase) {
    EXPECT_TRUE(timerlink::IsSetupConfirmed("SETUP"));
    EXPECT_TRUE(timerlink::IsSetupConfirmed("setup"));
    EXPECT_TRUE(timerlink::IsSetupConfirmed("SetUp"));
    EXPECT_FALSE(timerlink::IsSetupConfirmed("SETUP "));
    EXPECT_FALSE(timerlink::IsSetupConfirmed(""));
    EXPECT_FALSE(timerlink::IsSetupConfirmed("SETU"));
}

}  // namespace
