// The protocol engine fed byte by byte: every command, the setters' limits, resynchronisation
// after stray bytes, and each misbehaviour.

#include "sim/engine.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace sim {
namespace {

std::string Feed(Engine& engine, const std::string& bytes) {
    std::string out;
    for (char byte : bytes) out += engine.Receive(byte);
    return out;
}

struct Exchange {
    std::string sent;
    std::string expected;
};

void Converse(Engine& engine, const std::vector<Exchange>& exchanges) {
    for (const Exchange& exchange : exchanges) {
        EXPECT_EQ(Feed(engine, exchange.sent), exchange.expected) << "after " << exchange.sent;
    }
}

TEST(EngineTest, AnswersTheWholeCommandSetInAHostsOrder) {
    TimerState initial;
    initial.timeout = 30;
    initial.finishMode = true;
    initial.gateMode = false;
    initial.segmentMode = true;
    initial.digitMode = false;
    initial.lanes = {true, true, false, true, false, false};  // lanes 1, 2, 4
    Engine engine(initial);
    Converse(engine, {
                         {"V", "ZELVORA TIMER ZT-6 SIXLANE\r\nFIRMWARE 2.07 (SIMULATED)\r\n"},
                         {"yub", "SETUP\r\n"},
                         {"T?", "T030\r\n"},
                         {"F?", "F1\r\n"},
                         {"G?", "G0\r\n"},
                         {"S?", "S1\r\n"},
                         {"D?", "D0\r\n"},
                         {"L?", "L00001011\r\n"},
                         {"T005", "T005\r\n"},
                         {"F0", "F0\r\n"},
                         {"G1", "G1\r\n"},
                         {"S0", "S0\r\n"},
                         {"D1", "D1\r\n"},
                         {"L00100001", "L00100001\r\n"},
                         {"T?", "T005\r\n"},
                         {"F?", "F0\r\n"},
                         {"G?", "G1\r\n"},
                         {"S?", "S0\r\n"},
                         {"D?", "D1\r\n"},
                         {"L?", "L00100001\r\n"},
                         {"X", "RACE MODE\r\n"},
                     });
    const TimerState& state = engine.State();
    EXPECT_EQ(state.timeout, 5);
    EXPECT_FALSE(state.finishMode);
    EXPECT_TRUE(state.gateMode);
    EXPECT_FALSE(state.segmentMode);
    EXPECT_TRUE(state.digitMode);
    EXPECT_EQ(state.lanes, (std::array<bool, 6>{true, false, false, false, false, true}));
    EXPECT_FALSE(state.setupMode);
    EXPECT_EQ(engine.Commands(),
              (std::vector<std::string>{"V",  "yub",  "T?", "F?", "G?", "S?", "D?",
                                        "L?", "T005", "F0", "G1", "S0", "D1", "L00100001",
                                        "T?", "F?",   "G?", "S?", "D?", "L?", "X"}));
}

struct TimeoutCase {
    std::string command;
    std::string reply;
    int held;
};

void PrintTo(const TimeoutCase& c, std::ostream* os) {
    *os << c.command;
}

class TimeoutSetterTest : public testing::TestWithParam<TimeoutCase> {};

TEST_P(TimeoutSetterTest, HoldsOnlyValuesUpTo255) {
    TimerState initial;
    initial.timeout = 42;
    initial.setupMode = true;
    Engine engine(initial);
    EXPECT_EQ(Feed(engine, GetParam().command), GetParam().reply);
    EXPECT_EQ(engine.State().timeout, GetParam().held);
}

INSTANTIATE_TEST_SUITE_P(Limits, TimeoutSetterTest,
                         testing::Values(TimeoutCase{"T000", "T000\r\n", 0},
                                         TimeoutCase{"T007", "T007\r\n", 7},
                                         TimeoutCase{"T255", "T255\r\n", 255},
                                         TimeoutCase{"T256", "T042\r\n", 42},
                                         TimeoutCase{"T999", "T042\r\n", 42}));

TEST(EngineTest, RefusesSettersOutsideSetupModeWithTheValueStillHeld) {
    TimerState initial;
    initial.timeout = 12;
    initial.finishMode = true;
    initial.lanes = {true, true, true, true, true, true};
    Engine engine(initial);
    Converse(engine, {
                         {"T100", "T012\r\n"},
                         {"F0", "F1\r\n"},
                         {"L00000011", "L00111111\r\n"},
                         {"yub", "SETUP\r\n"},
                         {"F0", "F0\r\n"},
                         {"X", "RACE MODE\r\n"},
                         {"F1", "F0\r\n"},
                     });
    EXPECT_EQ(engine.State().timeout, 12);
    EXPECT_FALSE(engine.State().finishMode);
}

struct ResyncCase {
    std::string bytes;
    std::vector<std::string> commands;
};

void PrintTo(const ResyncCase& c, std::ostream* os) {
    *os << testing::PrintToString(c.bytes);
}

class ResyncTest : public testing::TestWithParam<ResyncCase> {};

TEST_P(ResyncTest, DropsStrayBytesAndFindsTheNextCommand) {
    TimerState initial;
    initial.setupMode = true;
    Engine engine(initial);
    Feed(engine, GetParam().bytes);
    EXPECT_EQ(engine.Commands(), GetParam().commands) << "bytes: " << GetParam().bytes;
}

INSTANTIATE_TEST_SUITE_P(
    StrayBytes, ResyncTest,
    testing::Values(ResyncCase{"qzV", {"V"}}, ResyncCase{"\r\nV\r\n", {"V"}},
                    ResyncCase{"vV", {"V"}}, ResyncCase{"TxT?", {"T?"}}, ResyncCase{"T1F?", {"F?"}},
                    ResyncCase{"T12T?", {"T?"}}, ResyncCase{"yuyub", {"yub"}},
                    ResyncCase{"yXub", {"X"}}, ResyncCase{"F2G?", {"G?"}}, ResyncCase{"L0?", {}},
                    ResyncCase{"L001102L?", {"L?"}}, ResyncCase{"L01L00000001", {"L00000001"}},
                    ResyncCase{"T0012", {"T001"}}, ResyncCase{"F?F?", {"F?", "F?"}},
                    ResyncCase{"VXyubT?", {"V", "X", "yub", "T?"}}));

TEST(EngineTest, LanesCommandMapsCharactersFromLaneSixDownToLaneOne) {
    TimerState initial;
    initial.setupMode = true;
    Engine engine(initial);
    EXPECT_EQ(Feed(engine, "L00001011"), "L00001011\r\n");
    EXPECT_EQ(engine.State().lanes, (std::array<bool, 6>{true, true, false, true, false, false}));
    EXPECT_EQ(LanesText(engine.State()), "001011");
}

struct QuirkCase {
    const char* name;
    Quirks quirks;
    std::vector<Exchange> exchanges;
};

void PrintTo(const QuirkCase& c, std::ostream* os) {
    *os << c.name;
}

Quirks Make(void (*set)(Quirks&)) {
    Quirks quirks;
    set(quirks);
    return quirks;
}

const std::string kVersion = "ZELVORA TIMER ZT-6 SIXLANE\r\nFIRMWARE 2.07 (SIMULATED)\r\n";

class QuirkTest : public testing::TestWithParam<QuirkCase> {};

TEST_P(QuirkTest, ChangesWhatTheHostHears) {
    Engine engine(TimerState{}, GetParam().quirks);
    Converse(engine, GetParam().exchanges);
}

INSTANTIATE_TEST_SUITE_P(
    Misbehaviours, QuirkTest,
    testing::Values(
        QuirkCase{"Silent",
                  Make([](Quirks& q) { q.silent = true; }),
                  {{"V", ""}, {"X", ""}, {"yub", ""}, {"T?", ""}}},
        QuirkCase{"SilentToVersion",
                  Make([](Quirks& q) { q.silentToVersion = true; }),
                  {{"V", ""}, {"X", "RACE MODE\r\n"}, {"yub", "SETUP\r\n"}}},
        QuirkCase{"LowercaseSetup",
                  Make([](Quirks& q) { q.lowercaseSetup = true; }),
                  {{"yub", "setup\r\n"}}},
        QuirkCase{"LinesBeforeSetup",
                  Make([](Quirks& q) { q.linesBeforeSetup = 2; }),
                  {{"yub", "BUSY\r\nBUSY\r\nSETUP\r\n"}, {"T?", "T030\r\n"}}},
        QuirkCase{"NeverSetup",
                  Make([](Quirks& q) { q.neverSetup = true; }),
                  {{"yub", "BUSY\r\nBUSY\r\nBUSY\r\nBUSY\r\nBUSY\r\n"}}},
        QuirkCase{"GarbleOneQuery",
                  Make([](Quirks& q) { q.garbled = {"F?"}; }),
                  {{"F?", "?#ERR\r\n"}, {"G?", "G1\r\n"}, {"F?", "?#ERR\r\n"}}},
        QuirkCase{"GarbleAll",
                  Make([](Quirks& q) { q.garbled = {"*"}; }),
                  {{"T?", "?#ERR\r\n"}, {"L?", "?#ERR\r\n"}}},
        QuirkCase{"WrongLanesEcho",
                  Make([](Quirks& q) { q.wrongLanesEcho = true; }),
                  {{"yub", "SETUP\r\n"}, {"L00111000", "L00111001\r\n"}, {"L?", "L00111000\r\n"}}},
        QuirkCase{"StopAfterTwo",
                  Make([](Quirks& q) { q.stopAfter = 2; }),
                  {{"V", kVersion}, {"yub", "SETUP\r\n"}, {"T?", ""}, {"V", ""}}},
        QuirkCase{"CutOneReply",
                  Make([](Quirks& q) { q.cutReply = {"T?"}; }),
                  {{"T?", "T030\r"}, {"F?", "F1\r\n"}}},
        QuirkCase{
            "CutAll",
            Make([](Quirks& q) { q.cutReply = {"*"}; }),
            {{"F?", "F1\r"}, {"V", "ZELVORA TIMER ZT-6 SIXLANE\r\nFIRMWARE 2.07 (SIMULATED)\r"}}}),
    [](const testing::TestParamInfo<QuirkCase>& info) { return std::string(info.param.name); });

TEST(EngineTest, SilentTimerStillObeysItsCommands) {
    Quirks quirks;
    quirks.silent = true;
    Engine engine(TimerState{}, quirks);
    Feed(engine, "yubT077");
    EXPECT_EQ(engine.State().timeout, 77);
}

TEST(EngineTest, CloseAfterDropsTheLineAtTheNextByteAndHearsNothingMore) {
    Quirks quirks;
    quirks.closeAfter = 2;
    Engine engine(TimerState{}, quirks);
    EXPECT_EQ(Feed(engine, "V"), kVersion);
    EXPECT_EQ(Feed(engine, "yub"), "SETUP\r\n");
    EXPECT_FALSE(engine.LineClosed());
    EXPECT_EQ(Feed(engine, "T"), "");
    EXPECT_TRUE(engine.LineClosed());
    EXPECT_EQ(Feed(engine, "?V"), "");
    EXPECT_EQ(engine.Commands(), (std::vector<std::string>{"V", "yub"}));
}

}  // namespace
}  // namespace sim
