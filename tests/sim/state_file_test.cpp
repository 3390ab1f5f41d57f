// The timer's memory file: round trips, tolerance of damaged lines, and atomic replacement.

#include "sim/state_file.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace sim {
namespace {

namespace fs = std::filesystem;

class StateFileTest : public testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "zelvora-state-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        dir_ = pattern;
    }
    void TearDown() override { fs::remove_all(dir_); }
    fs::path dir_;
};

TimerState Unusual() {
    TimerState state;
    state.timeout = 255;
    state.finishMode = false;
    state.gateMode = false;
    state.segmentMode = false;
    state.digitMode = true;
    state.lanes = {false, true, false, false, true, true};
    return state;
}

TEST_F(StateFileTest, SavedSettingsLoadBackAndSetupModeIsNotKept) {
    TimerState saved = Unusual();
    saved.setupMode = true;
    const std::string path = (dir_ / "timer.state").string();
    ASSERT_TRUE(SaveStateFile(path, saved));

    TimerState loaded;
    ASSERT_TRUE(LoadStateFile(path, loaded));
    saved.setupMode = false;
    EXPECT_EQ(loaded, saved);
    // Only the file itself is left behind, no temporary.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);
}

TEST_F(StateFileTest, ReplacesAnExistingFileWhole) {
    const std::string path = (dir_ / "timer.state").string();
    std::ofstream(path) << "timeout=9\nlanes=000001\n# a long trailing comment line\n";
    ASSERT_TRUE(SaveStateFile(path, Unusual()));
    std::ifstream in(path);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(text, FormatState(Unusual()));
}

TEST_F(StateFileTest, MissingFileLeavesTheStateAlone) {
    TimerState state = Unusual();
    EXPECT_FALSE(LoadStateFile((dir_ / "absent").string(), state));
    EXPECT_EQ(state, Unusual());
}

TEST(StateTextTest, FormatsLanesAsOnTheWire) {
    EXPECT_EQ(FormatState(Unusual()),
              "timeout=255\nfinish=0\ngate=0\nsegment=0\ndigit=1\nlanes=110010\n");
}

TEST(StateTextTest, SkipsDamagedLinesAndKeepsGoodOnes) {
    TimerState state;
    ParseState(
        "timeout=300\nfinish=2\ngate=0\nsegment\nlanes=12\ndigit=1\nunknown=1\ntimeout=-1\n"
        "timeout=\n",
        state);
    TimerState expected;
    expected.gateMode = false;
    expected.digitMode = true;
    EXPECT_EQ(state, expected);
}

}  // namespace
}  // namespace sim
