#include "platform/afx/profile_store.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <optional>
#include <ostream>
#include <sstream>
#include <string>

#include "tests/support/config_home.h"

namespace {

namespace fs = std::filesystem;
using afx::ProfileStorePath;
using afx::ReadProfileValue;
using afx::WriteProfileValue;

std::string ReadFile(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteFile(const fs::path& file, const std::string& text) {
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << text;
}

class ProfileStoreTest : public ::testing::Test {
  protected:
    test_support::ScopedConfigHome home_;
    fs::path file_ = ProfileStorePath("Tavrick", "zelvora");
};

TEST_F(ProfileStoreTest, LivesUnderTheConfigHomeAndCompany) {
    EXPECT_EQ(file_, home_.Path() / "Tavrick" / "zelvora.ini");
    EXPECT_EQ(ProfileStorePath("", "afx_tests"), home_.Path() / "afx_tests.ini");
}

TEST_F(ProfileStoreTest, FallsBackToHomeDotConfig) {
    const char* oldHome = std::getenv("HOME");
    const std::string savedHome = oldHome != nullptr ? oldHome : "";
    ::setenv("HOME", home_.Path().c_str(), 1);
    for (const char* xdg : {"", "relative/dir"}) {
        ::setenv("XDG_CONFIG_HOME", xdg, 1);
        EXPECT_EQ(ProfileStorePath("Tavrick", "zelvora"),
                  home_.Path() / ".config" / "Tavrick" / "zelvora.ini")
            << "XDG_CONFIG_HOME=" << xdg;
    }
    ::unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(ProfileStorePath("Tavrick", "zelvora"),
              home_.Path() / ".config" / "Tavrick" / "zelvora.ini");
    ::setenv("HOME", savedHome.c_str(), 1);
}

struct ReadCase {
    const char* name;
    std::optional<std::string> content;  // nullopt: no file
    std::optional<std::string> expected;
};

// Names the case in test output instead of dumping its bytes.
std::ostream& operator<<(std::ostream& out, const ReadCase& c) {
    return out << c.name;
}

class ProfileStoreReadTest : public ProfileStoreTest,
                             public ::testing::WithParamInterface<ReadCase> {};

TEST_P(ProfileStoreReadTest, ReadsComPort) {
    if (GetParam().content) WriteFile(file_, *GetParam().content);
    EXPECT_EQ(ReadProfileValue(file_, "Settings", "ComPort"), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ProfileStoreReadTest,
    ::testing::Values(
        ReadCase{"NoFile", std::nullopt, std::nullopt}, ReadCase{"EmptyFile", "", std::nullopt},
        ReadCase{"Stored", "[Settings]\nComPort=COM7\n", "COM7"},
        ReadCase{"Garbled", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16), std::nullopt},
        ReadCase{"OtherKeysOnly", "[Settings]\nBaud=9600\n[Window]\nX=1\n", std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ProfileStoreTest, UnreadableStoreReadsAsAbsentAndIsNotOverwritten) {
    fs::create_directories(file_);  // a folder where the file should be
    EXPECT_EQ(ReadProfileValue(file_, "Settings", "ComPort"), std::nullopt);
    EXPECT_FALSE(WriteProfileValue(file_, "Settings", "ComPort", "COM1"));
    EXPECT_TRUE(fs::is_directory(file_));
}

TEST_F(ProfileStoreTest, FifoInPlaceOfTheStoreDoesNotBlock) {
    fs::create_directories(file_.parent_path());
    ASSERT_EQ(::mkfifo(file_.c_str(), 0600), 0);
    EXPECT_EQ(ReadProfileValue(file_, "Settings", "ComPort"), std::nullopt);
    EXPECT_FALSE(WriteProfileValue(file_, "Settings", "ComPort", "COM1"));
}

TEST_F(ProfileStoreTest, OversizedStoreIsNotOurs) {
    WriteFile(file_, "[Settings]\nComPort=COM1\n" + std::string(2 << 20, ';'));
    EXPECT_EQ(ReadProfileValue(file_, "Settings", "ComPort"), std::nullopt);
}

TEST_F(ProfileStoreTest, WriteCreatesFoldersAndPrivateFile) {
    ASSERT_FALSE(fs::exists(file_.parent_path()));
    ASSERT_TRUE(WriteProfileValue(file_, "Settings", "ComPort", "COM3"));
    EXPECT_EQ(ReadFile(file_), "[Settings]\nComPort=COM3\n");
    EXPECT_EQ(fs::status(file_).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
}

TEST_F(ProfileStoreTest, WriteKeepsOtherSectionsKeysAndMode) {
    const std::string before =
        "# hand-written\n[Window]\nLeft=10\n\n[settings]\nBaud=9600\ncomport=COM1\n";
    WriteFile(file_, before);
    fs::permissions(file_, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    ASSERT_TRUE(WriteProfileValue(file_, "Settings", "ComPort", "/dev/ttyUSB0"));
    EXPECT_EQ(ReadFile(file_),
              "# hand-written\n[Window]\nLeft=10\n\n[settings]\nBaud=9600\nComPort=/dev/ttyUSB0\n");
    EXPECT_EQ(fs::status(file_).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST_F(ProfileStoreTest, WriteIntoGarbledFileKeepsItsBytes) {
    const std::string junk("\x01\x02\xff junk\0line", 13);
    WriteFile(file_, junk);
    ASSERT_TRUE(WriteProfileValue(file_, "Settings", "ComPort", "COM2"));
    EXPECT_EQ(ReadFile(file_), junk + "\n\n[Settings]\nComPort=COM2\n");
    EXPECT_EQ(ReadProfileValue(file_, "Settings", "ComPort"), "COM2");
}

// A reader holding the old file (here a second link to it) still sees it whole: the store is
// replaced by a rename, never rewritten in place, and no temporary file is left behind.
TEST_F(ProfileStoreTest, WriteReplacesTheFileAtomically) {
    const std::string before = "[Settings]\nComPort=COM1\n";
    WriteFile(file_, before);
    const fs::path oldLink = home_.Path() / "old-store";
    fs::create_hard_link(file_, oldLink);

    ASSERT_TRUE(WriteProfileValue(file_, "Settings", "ComPort", "COM2"));
    EXPECT_EQ(ReadFile(oldLink), before);
    EXPECT_EQ(ReadFile(file_), "[Settings]\nComPort=COM2\n");
    EXPECT_EQ(fs::hard_link_count(oldLink), 1u);

    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(file_.parent_path())) {
        names.push_back(entry.path().filename().string());
    }
    EXPECT_EQ(names, std::vector<std::string>{"zelvora.ini"});
}

TEST_F(ProfileStoreTest, ValuesRoundTripThroughTheFile) {
    for (const std::string value : {"COM7", "", " spaced ", "\"x\"", "COM1;2", "\xe4\xf6"}) {
        ASSERT_TRUE(WriteProfileValue(file_, "Settings", "ComPort", value));
        EXPECT_EQ(ReadProfileValue(file_, "Settings", "ComPort"), value);
    }
}

TEST_F(ProfileStoreTest, LineBreakInValueIsRefusedAndFileUntouched) {
    ASSERT_TRUE(WriteProfileValue(file_, "Settings", "ComPort", "COM1"));
    EXPECT_FALSE(WriteProfileValue(file_, "Settings", "ComPort", "COM2\n[Evil]\nX=1"));
    EXPECT_FALSE(WriteProfileValue(file_, "Settings", "ComPort", "COM2\r"));
    EXPECT_EQ(ReadFile(file_), "[Settings]\nComPort=COM1\n");
}

TEST_F(ProfileStoreTest, FolderThatCannotBeMadeFailsTheWrite) {
    WriteFile(home_.Path() / "Tavrick", "a file, not a folder");
    EXPECT_FALSE(WriteProfileValue(file_, "Settings", "ComPort", "COM1"));
}

}  // namespace
