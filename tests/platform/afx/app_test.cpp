#include "platform/afx/app.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "platform/afx/dialog.h"
#include "platform/afx/headless/headless_backend.h"
#include "tests/platform/afx/test_dialog.h"
#include "tests/support/config_home.h"

namespace {

namespace fs = std::filesystem;
using afx::headless::HeadlessBackend;
using afx::headless::MessageBoxRecord;

std::string ReadFile(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(AppTest, NamedAfterTheExecutableWhenUnnamed) {
    CWinApp app;
    EXPECT_EQ(app.m_strAppName, "afx_tests");
    EXPECT_EQ(AfxGetApp(), &app);
}

TEST(AppTest, GivenNameWinsAndRegistrationEndsWithTheObject) {
    {
        CWinApp app("Named");
        EXPECT_EQ(app.m_strAppName, "Named");
        EXPECT_EQ(AfxGetApp(), &app);
    }
    EXPECT_EQ(AfxGetApp(), nullptr);
}

TEST(AppDeathTest, SecondApplicationObjectIsRefused) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    CWinApp first("first");
    EXPECT_DEATH(CWinApp second("second"), "second application object");
}

TEST(AppTest, IconsComeFromTheResources) {
    CWinApp app;
    ASSERT_NE(app.LoadIcon(afx_test::kTestIconId), nullptr);
    EXPECT_EQ(app.LoadIcon(afx_test::kTestIconId)->id, static_cast<int>(afx_test::kTestIconId));
    EXPECT_EQ(app.LoadIcon(4242), nullptr);
}

TEST(AppTest, HarmlessFrameworkSwitches) {
    CWinApp app;
    AfxEnableControlContainer();
    EXPECT_TRUE(Enable3dControlsStatic());
    app.OnHelp();  // no help file ships: nothing happens
    EXPECT_TRUE(app.InitInstance());
}

class AppProfileTest : public ::testing::Test {
  protected:
    test_support::ScopedConfigHome home_;
    CWinApp app_{"zelvora"};
};

TEST_F(AppProfileTest, MissingValueReadsAsDefault) {
    app_.SetRegistryKey("Tavrick");
    EXPECT_EQ(app_.GetProfileString("Settings", "ComPort", ""), "");
    EXPECT_EQ(app_.GetProfileString("Settings", "ComPort", "COM1"), "COM1");
    EXPECT_EQ(app_.GetProfileString("Settings", "ComPort"), "");
}

TEST_F(AppProfileTest, WrittenValueLandsInTheCompanyFolderAndReadsBack) {
    app_.SetRegistryKey("Tavrick");
    ASSERT_TRUE(app_.WriteProfileString("Settings", "ComPort", "COM7"));
    EXPECT_EQ(ReadFile(home_.Path() / "Tavrick" / "zelvora.ini"), "[Settings]\nComPort=COM7\n");
    EXPECT_EQ(app_.GetProfileString("Settings", "ComPort", ""), "COM7");
    ASSERT_TRUE(app_.WriteProfileString("Settings", "ComPort", "COM8"));
    EXPECT_EQ(app_.GetProfileString("Settings", "ComPort", ""), "COM8");
}

TEST_F(AppProfileTest, WithoutCompanyTheFileSitsInTheConfigHome) {
    ASSERT_TRUE(app_.WriteProfileString("Settings", "ComPort", "COM2"));
    EXPECT_TRUE(fs::exists(home_.Path() / "zelvora.ini"));
}

TEST_F(AppProfileTest, StoreLocationFollowsTheEnvironmentOnEveryCall) {
    app_.SetRegistryKey("Tavrick");
    ASSERT_TRUE(app_.WriteProfileString("Settings", "ComPort", "COM7"));
    {
        test_support::ScopedConfigHome other;
        EXPECT_EQ(app_.GetProfileString("Settings", "ComPort", ""), "");
        ASSERT_TRUE(app_.WriteProfileString("Settings", "ComPort", "COM9"));
        EXPECT_TRUE(fs::exists(other.Path() / "Tavrick" / "zelvora.ini"));
    }
    EXPECT_EQ(app_.GetProfileString("Settings", "ComPort", ""), "COM7");
}

TEST_F(AppProfileTest, NullArgumentsAreRefused) {
    app_.SetRegistryKey("Tavrick");
    EXPECT_FALSE(app_.WriteProfileString("Settings", "ComPort", nullptr));
    EXPECT_FALSE(app_.WriteProfileString("Settings", nullptr, "x"));
    EXPECT_EQ(app_.GetProfileString(nullptr, "ComPort", "d"), "d");
    EXPECT_FALSE(fs::exists(home_.Path() / "Tavrick"));
}

TEST(MessageBoxTest, CaptionedWithTheApplicationName) {
    CWinApp app;
    HeadlessBackend backend;
    backend.AnswerNext(IDYES);
    EXPECT_EQ(AfxMessageBox("Proceed?", MB_ICONQUESTION | MB_YESNO), IDYES);
    EXPECT_EQ(AfxMessageBox("Careful", MB_ICONWARNING), IDOK);
    EXPECT_EQ(AfxMessageBox("Again?", MB_ICONQUESTION | MB_YESNO), IDNO);
    ASSERT_EQ(backend.Boxes().size(), 3u);
    const MessageBoxRecord& question = backend.Boxes()[0];
    EXPECT_EQ(question.text, "Proceed?");
    EXPECT_EQ(question.caption, "afx_tests");
    EXPECT_EQ(question.type, MB_ICONQUESTION | MB_YESNO);
    EXPECT_EQ(question.answer, IDYES);
    EXPECT_EQ(backend.Boxes()[1].type, MB_ICONWARNING | MB_OK);
    EXPECT_EQ(backend.Boxes()[1].caption, "afx_tests");
    EXPECT_EQ(backend.Boxes()[2].answer, IDNO);
}

TEST(MessageBoxTest, ScriptedAnswerTheBoxLacksIsNotGiven) {
    CWinApp app("Zed");
    HeadlessBackend backend;
    backend.AnswerNext(IDYES);
    EXPECT_EQ(AfxMessageBox("Only OK here"), IDOK);
    ASSERT_EQ(backend.Boxes().size(), 1u);
    EXPECT_EQ(backend.Boxes()[0].caption, "Zed");
    EXPECT_EQ(backend.Boxes()[0].answer, IDOK);
}

TEST(MessageBoxTest, BackendIsRestoredWhenTheTestBackendEnds) {
    HeadlessBackend outer;
    {
        HeadlessBackend inner;
        EXPECT_EQ(&afx::CurrentBackend(), &inner);
    }
    EXPECT_EQ(&afx::CurrentBackend(), &outer);
    CWinApp app;
    AfxMessageBox("to the outer one");
    EXPECT_EQ(outer.Boxes().size(), 1u);
}

}  // namespace
