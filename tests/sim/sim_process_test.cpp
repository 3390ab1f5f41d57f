// zelvora-sim as a separate process, reached by its COM name through the project's serial
// layer as the program reaches a timer.

#include "tests/sim/sim_process.h"

#include <gtest/gtest.h>
#include <signal.h>

#include <filesystem>

#include "tests/sim/host_port.h"
#include "tests/support/config_home.h"

namespace {

namespace fs = std::filesystem;
using sim_test::HostPort;
using sim_test::SimProcess;

class SimProcessTest : public testing::Test {
  protected:
    void SetUp() override { home_.MaskSerialConsolePorts(); }
    fs::path MapEntry(const std::string& name) const {
        return home_.Path() / "zelvora" / "ports" / name;
    }

    test_support::ScopedConfigHome home_;
};

TEST_F(SimProcessTest, AnnouncesItsNameAndDeviceAndPublishesThem) {
    SimProcess sim({"--fast", "--port", "COM17"});
    const std::string device = fs::read_symlink(MapEntry("COM17")).string();
    EXPECT_TRUE(device.starts_with("/dev/pts/"));
    EXPECT_EQ(sim.ReadyLine(), "COM17 " + device);
}

struct Exchange {
    std::string command;
    std::string reply;
};

TEST_F(SimProcessTest, AnswersVersionSetupEveryQueryAndEverySetter) {
    SimProcess sim({"--fast"});
    HostPort port("COM9");
    ASSERT_TRUE(port.IsOpen());
    ASSERT_TRUE(port.Configured());
    EXPECT_EQ(port.Send("V"), "ZELVORA TIMER ZT-6 SIXLANE");
    EXPECT_EQ(port.ReadLine(), "FIRMWARE 2.07 (SIMULATED)");
    EXPECT_EQ(port.Send("yub"), "SETUP");
    const std::vector<Exchange> conversation = {
        {"T?", "T030"},     {"F?", "F1"},     {"G?", "G1"},
        {"S?", "S1"},       {"D?", "D0"},     {"L?", "L00111111"},
        {"T255", "T255"},   {"T256", "T255"}, {"T000", "T000"},
        {"F0", "F0"},       {"G0", "G0"},     {"S0", "S0"},
        {"D1", "D1"},       {"F1", "F1"},     {"L00010101", "L00010101"},
        {"T?", "T000"},     {"F?", "F1"},     {"G?", "G0"},
        {"S?", "S0"},       {"D?", "D1"},     {"L?", "L00010101"},
        {"X", "RACE MODE"},
    };
    for (const Exchange& exchange : conversation) {
        EXPECT_EQ(port.Send(exchange.command), exchange.reply) << exchange.command;
    }
}

TEST_F(SimProcessTest, KeepsItsSettingsAcrossARestart) {
    const std::string state = (home_.Path() / "timer.state").string();
    {
        SimProcess sim({"--fast", "--state", state});
        HostPort port("COM9");
        port.Send("yub");
        for (const char* setter : {"T123", "F0", "G0", "S0", "D1", "L00110010"}) {
            EXPECT_NE(port.Send(setter), "") << setter;
        }
        EXPECT_EQ(sim.Stop(SIGTERM), 0);
    }
    // The second run keeps the line to 9600 baud, as by default.
    SimProcess sim({"--state", state});
    HostPort port("COM9");
    ASSERT_TRUE(port.IsOpen());
    const std::vector<Exchange> readBack = {
        {"T?", "T123"},
        {"F?", "F0"},
        {"G?", "G0"},
        {"S?", "S0"},
        {"D?", "D1"},
        {"L?", "L00110010"},
        // Setup mode is not remembered: a setter before "yub" is refused.
        {"T050", "T123"},
    };
    for (const Exchange& exchange : readBack) {
        EXPECT_EQ(port.Send(exchange.command), exchange.reply) << exchange.command;
    }
}

TEST_F(SimProcessTest, MisbehavesAsItsOptionsSay) {
    SimProcess sim({"--fast", "--garble", "F?", "--close-after", "2"});
    HostPort port("COM9");
    EXPECT_EQ(port.Send("F?"), "?#ERR");
    EXPECT_EQ(port.Send("G?"), "G1");
    EXPECT_EQ(port.Send("T?"), "");
    HostPort again("COM9");
    EXPECT_EQ(again.Result(), timerlink::OpenResult::Absent);
    // Unplugged, but still running until told to stop, and then tidy.
    EXPECT_EQ(sim.Stop(SIGTERM), 0);
    EXPECT_FALSE(fs::exists(fs::symlink_status(MapEntry("COM9"))));
}

class StopSignalTest : public SimProcessTest, public testing::WithParamInterface<int> {};

TEST_P(StopSignalTest, RemovesItsMapEntryAndExitsCleanly) {
    SimProcess sim({"--fast"});
    ASSERT_TRUE(fs::is_symlink(MapEntry("COM9")));
    EXPECT_EQ(sim.Stop(GetParam()), 0);
    EXPECT_FALSE(fs::exists(fs::symlink_status(MapEntry("COM9"))));
    HostPort port("COM9");
    EXPECT_EQ(port.Result(), timerlink::OpenResult::Absent);
}

INSTANTIATE_TEST_SUITE_P(Signals, StopSignalTest, testing::Values(SIGTERM, SIGINT),
                         [](const testing::TestParamInfo<int>& info) {
                             return std::string(info.param == SIGTERM ? "SIGTERM" : "SIGINT");
                         });

TEST_F(SimProcessTest, TheNextSimulatorTakesOverAnEntryLeftByAKilledOne) {
    {
        SimProcess sim({"--fast"});
        EXPECT_EQ(sim.Stop(SIGKILL), -1);
    }
    // (Where the stale entry leads is not checked: the terminal's number may already serve
    // another test running alongside.)
    ASSERT_TRUE(fs::is_symlink(MapEntry("COM9")));
    SimProcess next({"--fast"});
    EXPECT_EQ(fs::read_symlink(MapEntry("COM9")).string(), next.ReadyLine().substr(5));
    HostPort again("COM9");
    EXPECT_EQ(again.Send("F?"), "F1");
}

}  // namespace
