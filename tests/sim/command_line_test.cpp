// The options of zelvora-sim.

#include "sim/command_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace sim {
namespace {

CommandLine Parse(std::vector<std::string> args) {
    args.insert(args.begin(), "zelvora-sim");
    std::vector<char*> argv;
    for (std::string& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);
    return ParseCommandLine(static_cast<int>(args.size()), argv.data());
}

TEST(CommandLineTest, DefaultsArePacedOnCom9WithNoQuirks) {
    const CommandLine line = Parse({});
    EXPECT_EQ(line.error, "");
    EXPECT_EQ(line.portName, "COM9");
    EXPECT_TRUE(line.options.paced);
    EXPECT_FALSE(line.options.quirks.silent);
    EXPECT_FALSE(line.options.quirks.stopAfter.has_value());
    EXPECT_TRUE(line.options.stateFile.empty());
}

TEST(CommandLineTest, EveryOptionReachesItsField) {
    const CommandLine line = Parse({"--port",
                                    "COM12",
                                    "--fast",
                                    "--state",
                                    "/tmp/s",
                                    "--transcript",
                                    "/tmp/t",
                                    "--silent",
                                    "--silent-to-version",
                                    "--lowercase-setup",
                                    "--lines-before-setup",
                                    "3",
                                    "--never-setup",
                                    "--garble",
                                    "F?",
                                    "--garble",
                                    "L?",
                                    "--wrong-lanes-echo",
                                    "--stop-after",
                                    "4",
                                    "--close-after",
                                    "5",
                                    "--cut",
                                    "T?",
                                    "--trickle",
                                    "150"});
    ASSERT_EQ(line.error, "");
    const Quirks& q = line.options.quirks;
    EXPECT_EQ(line.portName, "COM12");
    EXPECT_FALSE(line.options.paced);
    EXPECT_EQ(line.options.stateFile, "/tmp/s");
    EXPECT_EQ(line.options.transcriptFile, "/tmp/t");
    EXPECT_TRUE(q.silent);
    EXPECT_TRUE(q.silentToVersion);
    EXPECT_TRUE(q.lowercaseSetup);
    EXPECT_EQ(q.linesBeforeSetup, 3);
    EXPECT_TRUE(q.neverSetup);
    EXPECT_EQ(q.garbled, (std::set<std::string>{"F?", "L?"}));
    EXPECT_TRUE(q.wrongLanesEcho);
    EXPECT_EQ(q.stopAfter, 4);
    EXPECT_EQ(q.closeAfter, 5);
    EXPECT_EQ(q.cutReply, (std::set<std::string>{"T?"}));
    EXPECT_EQ(q.byteDelayMs, 150);
}

TEST(CommandLineTest, HelpIsRecognised) {
    EXPECT_TRUE(Parse({"--help"}).help);
    EXPECT_TRUE(Parse({"-h"}).help);
}

class BadCommandLineTest : public testing::TestWithParam<std::vector<std::string>> {};

TEST_P(BadCommandLineTest, IsRefusedWithAReason) {
    EXPECT_NE(Parse(GetParam()).error, "");
}

INSTANTIATE_TEST_SUITE_P(Refused, BadCommandLineTest,
                         testing::Values(std::vector<std::string>{"--stop-after", "x"},
                                         std::vector<std::string>{"--close-after", "-1"},
                                         std::vector<std::string>{"--trickle", "5ms"},
                                         std::vector<std::string>{"--port", "../COM9"},
                                         std::vector<std::string>{"--port"},
                                         std::vector<std::string>{"--bogus"},
                                         std::vector<std::string>{"stray"}));

}  // namespace
}  // namespace sim
