// Where COM names and typed paths lead, before anything is opened.

#include "platform/comm/port_map.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "tests/support/config_home.h"
#include "tests/support/pty_pair.h"

namespace {

namespace fs = std::filesystem;
using platform::comm::PortMapDirectory;
using platform::comm::ResolvePortName;

// Sets or unsets one environment variable for the life of the object.
class ScopedEnv {
  public:
    ScopedEnv(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) {
            previous_ = old;
        }
        if (value != nullptr) {
            ::setenv(name, value, 1);
        } else {
            ::unsetenv(name);
        }
    }
    ~ScopedEnv() {
        if (previous_) {
            ::setenv(name_, previous_->c_str(), 1);
        } else {
            ::unsetenv(name_);
        }
    }

  private:
    const char* name_;
    std::optional<std::string> previous_;
};

struct DirectoryCase {
    const char* xdg;  // nullptr: unset
    const char* expected;
    friend void PrintTo(const DirectoryCase& c, std::ostream* os) {
        *os << (c.xdg != nullptr ? c.xdg : "(unset)");
    }
};

class PortMapDirectoryTest : public ::testing::TestWithParam<DirectoryCase> {};

TEST_P(PortMapDirectoryTest, FollowsXdgConfigHomeElseHome) {
    ScopedEnv home("HOME", "/home/racer");
    ScopedEnv xdg("XDG_CONFIG_HOME", GetParam().xdg);
    EXPECT_EQ(PortMapDirectory(), fs::path(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(
    Environments, PortMapDirectoryTest,
    ::testing::Values(DirectoryCase{"/srv/cfg", "/srv/cfg/zelvora/ports"},
                      DirectoryCase{nullptr, "/home/racer/.config/zelvora/ports"},
                      DirectoryCase{"", "/home/racer/.config/zelvora/ports"},
                      // a relative value is not a valid base directory and is ignored
                      DirectoryCase{"cfg", "/home/racer/.config/zelvora/ports"}));

struct NameCase {
    const char* name;
    const char* expected;  // nullptr: not found
};

void PrintTo(const NameCase& c, std::ostream* os) {
    *os << '"' << c.name << '"';
}

// Built-in defaults and typed paths, with an empty port map.
class DefaultNameTest : public ::testing::TestWithParam<NameCase> {
  protected:
    test_support::ScopedConfigHome home;
};

TEST_P(DefaultNameTest, Resolves) {
    const auto device = ResolvePortName(GetParam().name);
    if (GetParam().expected == nullptr) {
        EXPECT_FALSE(device.has_value()) << *device;
    } else {
        EXPECT_EQ(device, std::optional<std::string>(GetParam().expected));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, DefaultNameTest,
    ::testing::Values(NameCase{"COM1", "/dev/ttyS0"}, NameCase{"com2", "/dev/ttyS1"},
                      NameCase{"COM32", "/dev/ttyS31"}, NameCase{"COM33", "/dev/ttyUSB0"},
                      NameCase{"Com64", "/dev/ttyUSB31"}, NameCase{"COM65", "/dev/ttyACM0"},
                      NameCase{"cOM96", "/dev/ttyACM31"}, NameCase{"COM97", nullptr},
                      NameCase{"COM255", nullptr}, NameCase{"COM0", nullptr},
                      NameCase{"COM01", nullptr}, NameCase{"COM", nullptr},
                      NameCase{"COM3x", nullptr}, NameCase{"LPT1", nullptr}, NameCase{"", nullptr},
                      NameCase{"/dev/ttyUSB0", "/dev/ttyUSB0"},
                      NameCase{"/dev/./pts/7", "/dev/pts/7"},
                      NameCase{"/dev/../etc/passwd", nullptr}, NameCase{"/dev/", nullptr},
                      NameCase{"/dev", nullptr}, NameCase{"dev/ttyUSB0", nullptr},
                      NameCase{"../dev/ttyUSB0", nullptr}, NameCase{"/tmp/ttyUSB0", nullptr},
                      NameCase{"COM3/", nullptr}, NameCase{R"(\dev\ttyUSB0)", nullptr},
                      NameCase{R"(COM1\x)", nullptr}));

class MappedNameTest : public ::testing::Test {
  protected:
    std::string Canonical(const std::string& path) { return fs::canonical(path).string(); }

    test_support::ScopedConfigHome home;
    test_support::PtyPair first;
    test_support::PtyPair second;
};

TEST_F(MappedNameTest, EntryMatchesWithoutCaseAndOverridesTheDefault) {
    home.MapPort("com1", first.SlavePath());
    home.MapPort("COM40", second.SlavePath());
    EXPECT_EQ(ResolvePortName("COM1"), Canonical(first.SlavePath()));
    EXPECT_EQ(ResolvePortName("Com1"), Canonical(first.SlavePath()));
    EXPECT_EQ(ResolvePortName("com40"), Canonical(second.SlavePath()));
    EXPECT_EQ(ResolvePortName("COM2"), "/dev/ttyS1");  // defaults around it are untouched
}

TEST_F(MappedNameTest, ExactSpellingWinsOverOtherCase) {
    home.MapPort("COM7", first.SlavePath());
    home.MapPort("com7", second.SlavePath());
    EXPECT_EQ(ResolvePortName("COM7"), Canonical(first.SlavePath()));
    EXPECT_EQ(ResolvePortName("com7"), Canonical(second.SlavePath()));
    EXPECT_EQ(ResolvePortName("Com7"), Canonical(first.SlavePath()));  // first in text order
}

TEST_F(MappedNameTest, DanglingEntryIsNotFoundAndHidesTheDefault) {
    home.MaskPort("COM3");
    home.MapPort("COM41", home.Path() / "unplugged-adapter");
    EXPECT_EQ(ResolvePortName("COM3"), std::nullopt);
    EXPECT_EQ(ResolvePortName("com3"), std::nullopt);
    EXPECT_EQ(ResolvePortName("COM41"), std::nullopt);
    EXPECT_EQ(ResolvePortName("COM4"), "/dev/ttyS3");
}

TEST_F(MappedNameTest, EntryMayNameAnyPortAndLinkThroughOtherLinks) {
    // A user's own link (as made for a pair of linked ptys) may itself be a link.
    const fs::path own_link = home.Path() / "timer-line";
    fs::create_symlink(first.SlavePath(), own_link);
    home.MapPort("TIMER", own_link);
    home.MapPort("COM200", own_link);
    EXPECT_EQ(ResolvePortName("timer"), Canonical(first.SlavePath()));
    EXPECT_EQ(ResolvePortName("COM200"), Canonical(first.SlavePath()));
}

TEST_F(MappedNameTest, MissingMapDirectoryLeavesTheDefaults) {
    ASSERT_FALSE(fs::exists(home.Path() / "zelvora"));
    EXPECT_EQ(ResolvePortName("COM33"), "/dev/ttyUSB0");
}

}  // namespace
