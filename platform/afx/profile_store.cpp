#include "platform/afx/profile_store.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <system_error>
#include <utility>

#include "platform/afx/ini_document.h"

namespace afx {
namespace {

namespace fs = std::filesystem;

// A store this large is not one this program wrote; refuse it rather than load it.
constexpr off_t kMaxStoreSize = 1 << 20;

fs::path ConfigHome() {
    // Only an absolute XDG_CONFIG_HOME counts; anything else falls back to ~/.config.
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg != nullptr && xdg[0] == '/') {
        return xdg;
    }
    if (const char* home = std::getenv("HOME"); home != nullptr && home[0] == '/') {
        return fs::path(home) / ".config";
    }
    if (const passwd* user = getpwuid(getuid()); user != nullptr && user->pw_dir != nullptr) {
        return fs::path(user->pw_dir) / ".config";
    }
    return fs::path("/tmp") / ".config";
}

class Fd {
  public:
    explicit Fd(int fd) : fd_(fd) {}
    ~Fd() {
        if (fd_ >= 0) ::close(fd_);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }
    int release() { return std::exchange(fd_, -1); }

  private:
    int fd_;
};

enum class ReadResult { Ok, Missing, Failed };

// Non-blocking open so that a FIFO or device put in the store's place cannot hang the program.
ReadResult ReadStore(const fs::path& file, std::string& text, mode_t& mode) {
    const Fd fd(::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (fd.get() < 0) return errno == ENOENT ? ReadResult::Missing : ReadResult::Failed;
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode) || info.st_size > kMaxStoreSize) {
        return ReadResult::Failed;
    }
    mode = info.st_mode & 07777;
    text.clear();
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
        if (n == 0) break;
        if (n < 0) {
            if (errno == EINTR) continue;
            return ReadResult::Failed;
        }
        text.append(buffer, static_cast<size_t>(n));
        if (text.size() > static_cast<size_t>(kMaxStoreSize)) return ReadResult::Failed;
    }
    return ReadResult::Ok;
}

bool WriteAll(int fd, std::string_view text) {
    while (!text.empty()) {
        const ssize_t n = ::write(fd, text.data(), text.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        text.remove_prefix(static_cast<size_t>(n));
    }
    return true;
}

bool MakeFolders(const fs::path& folder) {
    std::error_code error;
    fs::create_directories(folder, error);
    if (error) return false;
    return fs::is_directory(folder, error);
}

// Writes a temporary file beside the store and renames it over the store.
bool ReplaceFile(const fs::path& file, std::string_view text, mode_t mode) {
    const fs::path folder = file.parent_path();
    if (!MakeFolders(folder)) return false;
    std::string temp = (folder / ("." + file.filename().string() + ".XXXXXX")).string();
    Fd fd(::mkostemp(temp.data(), O_CLOEXEC));
    if (fd.get() < 0) return false;
    const bool written = ::fchmod(fd.get(), mode) == 0 && WriteAll(fd.get(), text) &&
                         ::fsync(fd.get()) == 0 && ::close(fd.release()) == 0 &&
                         ::rename(temp.c_str(), file.c_str()) == 0;
    if (!written) {
        ::unlink(temp.c_str());
        return false;
    }
    // Make the rename itself durable; a failure here does not undo a completed write.
    const Fd dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.get() >= 0) ::fsync(dir.get());
    return true;
}

}  // namespace

fs::path ProfileStorePath(std::string_view company, std::string_view application) {
    fs::path folder = ConfigHome();
    if (!company.empty()) folder /= company;
    return folder / (std::string(application) + ".ini");
}

std::optional<std::string> ReadProfileValue(const fs::path& file, std::string_view section,
                                            std::string_view key) {
    std::string text;
    mode_t mode = 0;
    if (ReadStore(file, text, mode) != ReadResult::Ok) return std::nullopt;
    return IniDocument::Parse(text).Get(section, key);
}

bool WriteProfileValue(const fs::path& file, std::string_view section, std::string_view key,
                       std::string_view value) {
    std::string text;
    mode_t mode = 0600;
    if (ReadStore(file, text, mode) == ReadResult::Failed) return false;
    IniDocument document = IniDocument::Parse(text);
    if (!document.Set(section, key, value)) return false;
    return ReplaceFile(file, document.Serialize(), mode);
}

}  // namespace afx
