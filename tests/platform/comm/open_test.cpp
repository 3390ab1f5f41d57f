// Opening and closing ports on real pseudo-terminals: which names open, which are refused
// and with what reason, and how the last error behaves.

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>

#include "tests/platform/comm/comm_fixture.h"

namespace comm_test {
namespace {

namespace fs = std::filesystem;

struct NameCase {
    const char* label;
    const char* name;  // "{slave}" stands for the pty's slave path, "{home}" for the temp dir
    DWORD error;       // 0: the open succeeds on the mapped pseudo-terminal
};

void PrintTo(const NameCase& c, std::ostream* os) {
    *os << c.label;
}

class OpenNameTest : public CommTest, public ::testing::WithParamInterface<NameCase> {
  protected:
    void SetUp() override {
        CommTest::SetUp();
        { std::ofstream(home.Path() / "notes.txt") << "untouched"; }
        fs::create_directory(home.Path() / "folder");
        ASSERT_EQ(::mkfifo((home.Path() / "fifo").c_str(), 0600), 0);
        home.MapPort("COM41", home.Path() / "notes.txt");
        home.MapPort("COM42", home.Path() / "folder");
        home.MapPort("COM43", home.Path() / "fifo");
        home.MapPort("COM44", home.Path() / "gone");
    }

    std::string Expand(std::string text) {
        for (const auto& [key, value] :
             {std::pair<std::string, std::string>{"{slave}", line.SlavePath()},
              {"{home}", home.Path().string()}}) {
            if (auto at = text.find(key); at != std::string::npos) {
                text.replace(at, key.size(), value);
            }
        }
        return text;
    }

    std::string FileText(const fs::path& path) {
        std::ifstream in(path);
        return {std::istreambuf_iterator<char>(in), {}};
    }
};

TEST_P(OpenNameTest, OpensOnlyTerminalDevicesItCanResolve) {
    const std::string name = Expand(GetParam().name);
    Port port(CreateFileA(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0,
                          nullptr));
    if (GetParam().error != 0) {
        EXPECT_FALSE(port.valid());
        EXPECT_EQ(GetLastError(), GetParam().error);
    } else {
        ASSERT_TRUE(port.valid()) << "error " << GetLastError();
        // The handle is on our line: a byte written to it reaches the far end.
        DWORD written = 0;
        EXPECT_TRUE(WriteFile(port.get(), "A", 1, &written, nullptr));
        EXPECT_EQ(line.Receive(1, 1s), "A");
    }
    EXPECT_EQ(FileText(home.Path() / "notes.txt"), "untouched");
}

INSTANTIATE_TEST_SUITE_P(
    Table, OpenNameTest,
    ::testing::Values(NameCase{"mapped_name", R"(\\.\COM40)", 0},
                      NameCase{"mapped_name_other_case", R"(\\.\com40)", 0},
                      NameCase{"absolute_dev_path", R"(\\.\{slave})", 0},
                      NameCase{"regular_file_entry", R"(\\.\COM41)", ERROR_FILE_NOT_FOUND},
                      NameCase{"directory_entry", R"(\\.\COM42)", ERROR_FILE_NOT_FOUND},
                      NameCase{"fifo_entry", R"(\\.\COM43)", ERROR_FILE_NOT_FOUND},
                      NameCase{"dangling_entry", R"(\\.\COM44)", ERROR_FILE_NOT_FOUND},
                      NameCase{"masked_default", R"(\\.\COM1)", ERROR_FILE_NOT_FOUND},
                      NameCase{"no_default_no_entry", R"(\\.\COM97)", ERROR_FILE_NOT_FOUND},
                      NameCase{"empty_name", R"(\\.\)", ERROR_FILE_NOT_FOUND},
                      NameCase{"relative_path", R"(\\.\pts/0)", ERROR_FILE_NOT_FOUND},
                      NameCase{"path_outside_dev", R"(\\.\{home}/notes.txt)", ERROR_FILE_NOT_FOUND},
                      NameCase{"dev_directory", R"(\\.\/dev/pts)", ERROR_FILE_NOT_FOUND},
                      NameCase{"dev_path_that_leaves_dev", R"(\\.\/dev/..{home}/notes.txt)",
                               ERROR_FILE_NOT_FOUND},
                      NameCase{"missing_dev_path", R"(\\.\/dev/ttyUSB-none)",
                               ERROR_FILE_NOT_FOUND}),
    [](const auto& info) { return std::string(info.param.label); });

TEST_F(CommTest, RefusesArgumentsItCannotHonour) {
    EXPECT_EQ(
        CreateFileA(nullptr, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr),
        INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
    constexpr DWORD kCreateAlways = 2;  // devices are opened, never created
    EXPECT_EQ(CreateFileA(DevicePath(kLineName).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                          kCreateAlways, 0, nullptr),
              INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
}

TEST_F(CommTest, LastErrorIsSetOnlyByFailuresAndOnlyForTheCallingThread) {
    EXPECT_FALSE(OpenPort("COM97").valid());
    ASSERT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
    {
        Port port = OpenPort(kLineName);
        ASSERT_TRUE(port.valid());
        EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);  // success leaves it alone

        DWORD other_before = 99;
        DWORD other_after = 0;
        std::thread([&] {
            other_before = GetLastError();
            OpenPort(kLineName);  // busy: held by this test's thread
            other_after = GetLastError();
        }).join();
        EXPECT_EQ(other_before, 0u);
        EXPECT_EQ(other_after, ERROR_SHARING_VIOLATION);
    }
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
}

TEST_F(CommTest, CallsOnAHandleThatIsNotOpenFailWithInvalidHandle) {
    HANDLE closed = CreateFileA(DevicePath(kLineName).c_str(), GENERIC_READ | GENERIC_WRITE, 0,
                                nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(closed, INVALID_HANDLE_VALUE);
    ASSERT_TRUE(CloseHandle(closed));

    int not_a_port = 0;
    for (HANDLE handle : {closed, INVALID_HANDLE_VALUE, static_cast<HANDLE>(nullptr),
                          reinterpret_cast<HANDLE>(&not_a_port)}) {
        BYTE byte = 0;
        DWORD count = 7;
        DCB dcb = ProgramLineSettings();
        COMMTIMEOUTS timeouts = ProgramTimeouts();
        EXPECT_FALSE(CloseHandle(handle));
        EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
        EXPECT_FALSE(ReadFile(handle, &byte, 1, &count, nullptr));
        EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
        EXPECT_FALSE(WriteFile(handle, &byte, 1, &count, nullptr));
        EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
        EXPECT_FALSE(SetCommState(handle, &dcb));
        EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
        EXPECT_FALSE(SetCommTimeouts(handle, &timeouts));
        EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
    }
}

}  // namespace
}  // namespace comm_test
