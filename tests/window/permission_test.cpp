// A port that exists but that this user may not open: the user is told which group to join.
// Root opens everything, so the window runs in a child process without privileges.

#include <grp.h>
#include <pty.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>

#include "tests/window/window_fixture.h"

namespace windowtest {
namespace {

constexpr uid_t kNobody = 65534;

class Permission : public WindowTest {};

TEST_F(Permission, RefusedPortNamesTheDevicesGroup) {
    int master = -1, slave = -1;
    char device[64] = {};
    ASSERT_EQ(openpty(&master, &slave, device, nullptr, nullptr), 0);
    ASSERT_EQ(chmod(device, 0), 0);
    home_.MapPort("COM3", device);
    // The child must be able to read the port map.
    for (const char* dir : {"", "/zelvora", "/zelvora/ports"})
        ASSERT_EQ(chmod((home_.Path().string() + dir).c_str(), 0755), 0) << dir;

    struct stat info {};
    ASSERT_EQ(stat(device, &info), 0);
    const struct group* owner = getgrgid(info.st_gid);
    ASSERT_NE(owner, nullptr);
    const std::string expected = "Permission denied on COM3.\r\nAdd your user to the group '" +
                                 std::string(owner->gr_name) + "', then log out and in again.";

    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (geteuid() == 0 && (setresgid(kNobody, kNobody, kNobody) != 0 ||
                               setresuid(kNobody, kNobody, kNobody) != 0))
            _exit(3);
        bool connected = true;
        RunApp([&](CTimerConfigDlg& dlg, HeadlessDialog& window) {
            Connect(window, "COM3");
            connected = dlg.m_hPort != INVALID_HANDLE_VALUE || !window.Enabled(IDC_CONNECT);
            window.PressEscape();
        });
        const auto texts = BoxTexts();
        if (texts != std::vector<std::string>{expected} || connected) {
            for (const auto& text : texts) std::fprintf(stderr, "box: %s\n", text.c_str());
            _exit(1);
        }
        _exit(0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "1: wrong message or state; 3: could not drop privileges";
    close(slave);
    close(master);
}

}  // namespace
}  // namespace windowtest
