// Share mode 0: one opener at a time, whoever and wherever the second opener is.
// Other processes are real children made with fork(); a child reports through its exit
// status, since it must not touch the test framework.

#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>

#include "tests/platform/comm/comm_fixture.h"

namespace comm_test {
namespace {

constexpr uid_t kNobody = 65534;
constexpr int kOpened = 0;
constexpr int kCannotDropPrivileges = 200;
constexpr int kUnexpected = 201;

bool BecomeNobody() {
    return ::setgroups(0, nullptr) == 0 && ::setresgid(kNobody, kNobody, kNobody) == 0 &&
           ::setresuid(kNobody, kNobody, kNobody) == 0;
}

// The child's result: kOpened, or the last error of its failed open.
int OpenInChild(const std::string& name) {
    HANDLE handle = CreateFileA(DevicePath(name).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        return error > 0 && error < kCannotDropPrivileges ? static_cast<int>(error) : kUnexpected;
    }
    CloseHandle(handle);
    return kOpened;
}

int RunInChild(const std::function<int()>& body) {
    const pid_t child = ::fork();
    if (child == 0) {
        ::_exit(body());
    }
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status)) {
        return -1;
    }
    return WEXITSTATUS(status);
}

TEST_F(CommTest, SecondOpenInThisProcessIsRefusedUntilTheFirstCloses) {
    Port first = OpenPort(kLineName);
    ASSERT_TRUE(first.valid());
    EXPECT_FALSE(OpenPort(kLineName).valid());
    EXPECT_EQ(GetLastError(), ERROR_SHARING_VIOLATION);
    // The same device by another name is the same device.
    EXPECT_FALSE(OpenPort(line.SlavePath()).valid());
    EXPECT_EQ(GetLastError(), ERROR_SHARING_VIOLATION);

    ASSERT_TRUE(first.Close());
    EXPECT_TRUE(OpenPort(kLineName).valid()) << "error " << GetLastError();
}

struct Opener {
    const char* label;
    bool as_nobody;  // an ordinary user, whom TIOCEXCL already stops; root needs the lock
};

void PrintTo(const Opener& o, std::ostream* os) {
    *os << o.label;
}

class OtherProcessTest : public CommTest, public ::testing::WithParamInterface<Opener> {};

TEST_P(OtherProcessTest, OpenIsRefusedWhileThisProcessHoldsThePort) {
    Port held = OpenPort(kLineName);
    ASSERT_TRUE(held.valid());
    ASSERT_EQ(::chmod(line.SlavePath().c_str(), 0666), 0);
    const bool as_nobody = GetParam().as_nobody;
    const std::string path = line.SlavePath();  // the map directory is private to this user
    const int result = RunInChild([&] {
        if (as_nobody && !BecomeNobody()) {
            return kCannotDropPrivileges;
        }
        return OpenInChild(path);
    });
    if (result == kCannotDropPrivileges) {
        GTEST_SKIP() << "this process cannot switch to the user nobody";
    }
    EXPECT_EQ(result, static_cast<int>(ERROR_SHARING_VIOLATION));
}

INSTANTIATE_TEST_SUITE_P(Openers, OtherProcessTest,
                         ::testing::Values(Opener{"same_user", false},
                                           Opener{"ordinary_user", true}),
                         [](const auto& info) { return std::string(info.param.label); });

TEST_F(CommTest, OpenIsRefusedWhileAnotherProcessHoldsThePort) {
    int to_parent[2];
    int to_child[2];
    ASSERT_EQ(::pipe(to_parent), 0);
    ASSERT_EQ(::pipe(to_child), 0);
    const pid_t child = ::fork();
    if (child == 0) {
        HANDLE handle = CreateFileA(DevicePath(kLineName).c_str(), GENERIC_READ | GENERIC_WRITE, 0,
                                    nullptr, OPEN_EXISTING, 0, nullptr);
        const char opened = handle != INVALID_HANDLE_VALUE ? 'y' : 'n';
        char go = 0;
        if (::write(to_parent[1], &opened, 1) != 1 || ::read(to_child[0], &go, 1) != 1) {
            ::_exit(1);
        }
        ::_exit(0);  // exiting closes the port, as a crashed holder would
    }
    ASSERT_GT(child, 0);
    char opened = 0;
    ASSERT_EQ(::read(to_parent[0], &opened, 1), 1);
    ASSERT_EQ(opened, 'y');

    EXPECT_FALSE(OpenPort(kLineName).valid());
    EXPECT_EQ(GetLastError(), ERROR_SHARING_VIOLATION);

    ASSERT_EQ(::write(to_child[1], "g", 1), 1);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    for (int fd : {to_parent[0], to_parent[1], to_child[0], to_child[1]}) {
        ::close(fd);
    }
    EXPECT_TRUE(OpenPort(kLineName).valid()) << "error " << GetLastError();
}

TEST_F(CommTest, DeviceThisUserMayNotOpenIsAccessDenied) {
    ASSERT_EQ(::chmod(line.SlavePath().c_str(), 0600), 0);
    const std::string path = line.SlavePath();
    int result = 0;
    if (::geteuid() == 0) {
        // Root is never refused; an ordinary user against a root-owned 0600 device is.
        result =
            RunInChild([&] { return BecomeNobody() ? OpenInChild(path) : kCannotDropPrivileges; });
    } else {
        ASSERT_EQ(::chmod(path.c_str(), 0), 0);
        result = OpenInChild(path);
    }
    if (result == kCannotDropPrivileges) {
        GTEST_SKIP() << "this process cannot switch to the user nobody";
    }
    EXPECT_EQ(result, static_cast<int>(ERROR_ACCESS_DENIED));
}

}  // namespace
}  // namespace comm_test
