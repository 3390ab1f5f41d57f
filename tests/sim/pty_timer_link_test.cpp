// The simulated timer on its own pseudo-terminal, reached through the project's serial layer
// by COM name: the line itself, the port map entry, the state file, the transcript, and every
// misbehaviour as the host's ReadLine meets it.

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "sim/pty_timer.h"
#include "sim/state_file.h"
#include "tests/sim/host_port.h"
#include "tests/support/config_home.h"

namespace sim {
namespace {

namespace fs = std::filesystem;
using sim_test::HostPort;

const char* const kPort = "COM9";

class PtyTimerLinkTest : public testing::Test {
  protected:
    void SetUp() override { home_.MaskSerialConsolePorts(); }

    // Starts a timer with the given options and maps it as COM9.
    PtyTimer& Start(Options options = {}) {
        timer_ = std::make_unique<PtyTimer>(std::move(options));
        timer_->MapAs(kPort);
        return *timer_;
    }

    test_support::ScopedConfigHome home_;
    std::unique_ptr<PtyTimer> timer_;
};

TEST_F(PtyTimerLinkTest, PublishesItsDeviceUnderTheComNameAndWithdrawsIt) {
    Start();
    const fs::path entry = home_.Path() / "zelvora" / "ports" / kPort;
    EXPECT_EQ(fs::read_symlink(entry), fs::path(timer_->DevicePath()));
    EXPECT_TRUE(timer_->DevicePath().starts_with("/dev/pts/"));
    timer_.reset();
    EXPECT_FALSE(fs::exists(fs::symlink_status(entry)));
}

TEST_F(PtyTimerLinkTest, HearsExactlyTheHostsBytesAndItsCommands) {
    Start();
    HostPort port(kPort);
    ASSERT_TRUE(port.IsOpen());
    ASSERT_TRUE(port.Configured());
    EXPECT_EQ(port.Send("V"), kVersionLine1);
    EXPECT_EQ(port.ReadLine(), kVersionLine2);
    EXPECT_EQ(port.Send("yub"), "SETUP");
    EXPECT_EQ(port.Send("T?"), "T030");
    // "X" at disconnect is written without a reply being read.
    port.Write("X");
    ASSERT_TRUE(timer_->WaitForReceived(7, 2000));
    EXPECT_EQ(timer_->ReceivedBytes(), "VyubT?X");
    EXPECT_EQ(timer_->Commands(), (std::vector<std::string>{"V", "yub", "T?", "X"}));
    EXPECT_FALSE(timer_->State().setupMode);
}

TEST_F(PtyTimerLinkTest, AReplyNobodyReadIsNotLeftForTheNextHost) {
    for (const bool paced : {false, true}) {
        Options options;
        options.paced = paced;
        Start(options);
        {
            HostPort first(kPort);
            first.Write("X");  // as at disconnect: the reply is not read
            ASSERT_TRUE(timer_->WaitForReceived(1, 2000));
        }
        // A freshly opened port starts empty only once the timer has seen the last host go.
        ASSERT_TRUE(timer_->WaitForHost(false, 2000));
        HostPort second(kPort);
        EXPECT_EQ(second.Send("F?"), "F1") << (paced ? "paced" : "fast");
    }
}

TEST_F(PtyTimerLinkTest, StateSetByTheTestIsWhatTheHostReads) {
    Start();
    TimerState state;
    state.timeout = 7;
    state.gateMode = false;
    state.lanes = {false, false, false, false, false, true};
    timer_->SetState(state);
    HostPort port(kPort);
    EXPECT_EQ(port.Send("T?"), "T007");
    EXPECT_EQ(port.Send("G?"), "G0");
    EXPECT_EQ(port.Send("L?"), "L00100000");
}

TEST_F(PtyTimerLinkTest, KeepsEveryChangeInTheStateFile) {
    Options options;
    options.stateFile = (home_.Path() / "timer.state").string();
    Start(options);
    HostPort port(kPort);
    port.Send("yub");
    EXPECT_EQ(port.Send("T123"), "T123");
    EXPECT_EQ(port.Send("L00000111"), "L00000111");
    TimerState saved;
    ASSERT_TRUE(LoadStateFile(options.stateFile, saved));
    EXPECT_EQ(saved.timeout, 123);
    EXPECT_EQ(LanesText(saved), "000111");
}

TEST_F(PtyTimerLinkTest, AStateFileFromAnEarlierRunIsWhereItStarts) {
    Options options;
    options.stateFile = (home_.Path() / "timer.state").string();
    std::ofstream(options.stateFile) << "timeout=201\nfinish=0\nlanes=110000\n";
    Start(options);
    HostPort port(kPort);
    EXPECT_EQ(port.Send("T?"), "T201");
    EXPECT_EQ(port.Send("F?"), "F0");
    EXPECT_EQ(port.Send("L?"), "L00110000");
}

TEST_F(PtyTimerLinkTest, TranscriptLogsEachByteInAndOutInTimeOrder) {
    Options options;
    options.paced = true;
    options.transcriptFile = (home_.Path() / "transcript.txt").string();
    Start(options);
    {
        HostPort port(kPort);
        EXPECT_EQ(port.Send("F?"), "F1");
    }
    timer_.reset();  // flushes the file
    std::ifstream in(options.transcriptFile);
    std::string line;
    std::string in_bytes, out_bytes;
    long long previous = 0;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        long long micros = 0;
        std::string direction;
        unsigned value = 0;
        fields >> micros >> direction >> std::hex >> value;
        ASSERT_TRUE(fields) << line;
        EXPECT_GE(micros, previous) << line;
        previous = micros;
        (direction == "in" ? in_bytes : out_bytes) += static_cast<char>(value);
    }
    EXPECT_EQ(in_bytes, "F?");
    EXPECT_EQ(out_bytes, "F1\r\n");
}

// One host conversation against one misbehaving timer: what each ReadLine gives.
struct Step {
    enum Kind { kSend, kRead } kind;
    std::string command;  // for kSend
    std::string expected;
};

struct MisbehaviourCase {
    const char* name;
    Quirks quirks;
    std::vector<Step> steps;
};

void PrintTo(const MisbehaviourCase& c, std::ostream* os) {
    *os << c.name;
}

Step Send(std::string command, std::string expected) {
    return {Step::kSend, std::move(command), std::move(expected)};
}
Step Read(std::string expected) {
    return {Step::kRead, "", std::move(expected)};
}

Quirks With(void (*set)(Quirks&)) {
    Quirks quirks;
    set(quirks);
    return quirks;
}

class MisbehaviourLinkTest : public PtyTimerLinkTest,
                             public testing::WithParamInterface<MisbehaviourCase> {};

TEST_P(MisbehaviourLinkTest, HostReadsWhatTheTimerGives) {
    Options options;
    options.quirks = GetParam().quirks;
    Start(options);
    HostPort port(kPort);
    ASSERT_TRUE(port.IsOpen());
    for (const Step& step : GetParam().steps) {
        const std::string got =
            step.kind == Step::kSend ? port.Send(step.command) : port.ReadLine();
        EXPECT_EQ(got, step.expected) << (step.kind == Step::kSend ? step.command : "(read)");
    }
}

// Only the first three must wait out the 2 s read limit: that is the behaviour they show.
INSTANTIATE_TEST_SUITE_P(
    EachMisbehaviour, MisbehaviourLinkTest,
    testing::Values(
        MisbehaviourCase{"Silent", With([](Quirks& q) { q.silent = true; }), {Send("V", "")}},
        MisbehaviourCase{"StopAfterTwo",
                         With([](Quirks& q) { q.stopAfter = 2; }),
                         {Send("yub", "SETUP"), Send("T?", "T030"), Send("F?", "")}},
        MisbehaviourCase{"CutReply",
                         With([](Quirks& q) { q.cutReply = {"T?"}; }),
                         {Send("T?", ""), Send("F?", "F1")}},
        MisbehaviourCase{"LowercaseSetup",
                         With([](Quirks& q) { q.lowercaseSetup = true; }),
                         {Send("yub", "setup")}},
        MisbehaviourCase{"LinesBeforeSetup",
                         With([](Quirks& q) { q.linesBeforeSetup = 2; }),
                         {Send("yub", "BUSY"), Read("BUSY"), Read("SETUP"), Send("T?", "T030")}},
        MisbehaviourCase{"NeverSetup",
                         With([](Quirks& q) { q.neverSetup = true; }),
                         {Send("yub", "BUSY"), Read("BUSY"), Read("BUSY"), Read("BUSY"),
                          Read("BUSY"), Send("T?", "T030")}},
        MisbehaviourCase{"GarbledQuery",
                         With([](Quirks& q) { q.garbled = {"F?"}; }),
                         {Send("F?", "?#ERR"), Send("G?", "G1")}},
        MisbehaviourCase{
            "WrongLanesEcho",
            With([](Quirks& q) { q.wrongLanesEcho = true; }),
            {Send("yub", "SETUP"), Send("L00111000", "L00111001"), Send("L?", "L00111000")}},
        MisbehaviourCase{
            "Trickle", With([](Quirks& q) { q.byteDelayMs = 100; }), {Send("T?", "T030")}}),
    [](const testing::TestParamInfo<MisbehaviourCase>& info) {
        return std::string(info.param.name);
    });

TEST_F(PtyTimerLinkTest, NoAnswerToVersionButALineAfterX) {
    Options options;
    options.quirks.silentToVersion = true;
    Start(options);
    HostPort port(kPort);
    port.Write("V");
    ASSERT_TRUE(timer_->WaitForReceived(1, 2000));
    // The first line to arrive is the answer to "X": "V" got none.
    EXPECT_EQ(port.Send("X"), "RACE MODE");
}

TEST_F(PtyTimerLinkTest, ClosingTheLineLooksLikeAnUnpluggedAdapter) {
    Options options;
    options.quirks.closeAfter = 1;
    Start(options);
    HostPort port(kPort);
    EXPECT_EQ(port.Send("yub"), "SETUP");
    const auto before = std::chrono::steady_clock::now();
    EXPECT_EQ(port.Send("T?"), "");
    // A hang-up, not the read limit, ended that read.
    EXPECT_LT(std::chrono::steady_clock::now() - before, std::chrono::milliseconds(1500));
    EXPECT_TRUE(timer_->LineClosed());
    EXPECT_EQ(timer_->Commands(), (std::vector<std::string>{"yub"}));
    // The device is gone: its name leads elsewhere and no longer opens.
    const fs::path entry = home_.Path() / "zelvora" / "ports" / kPort;
    EXPECT_NE(fs::read_symlink(entry), fs::path(timer_->DevicePath()));
    HostPort again(kPort);
    EXPECT_EQ(again.Result(), timerlink::OpenResult::Absent);
}

}  // namespace
}  // namespace sim
