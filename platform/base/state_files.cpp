#include "platform/base/state_files.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <ctime>
#include <mutex>
#include <string>
#include <system_error>
#include <vector>

#include "platform/base/text.h"

namespace zt::platform {
namespace fs = std::filesystem;
namespace {

bool rename_no_replace(const fs::path& from, const fs::path& to) {
    if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return true;
    if (errno != EINVAL && errno != ENOSYS) return false;
    // File systems without RENAME_NOREPLACE: a hard link refuses an existing name too.
    if (link(from.c_str(), to.c_str()) != 0) return false;
    return unlink(from.c_str()) == 0;
}

// Closing any descriptor of a file drops every POSIX lock the process holds on it, and SQLite's
// connections in this process (the registry, the notification volume) hold such locks: a
// dropped one lets another process take the database for unused, checkpoint it and remove its
// log under a connection still reading it. So the files these checks open stay open for the
// life of the process, one descriptor per file (per inode: a file moved aside and made again
// gets a new one). A descriptor whose file no longer exists under any name it was opened by is
// closed: no other process can reach that file any more, so no lock on it matters.
int lasting_descriptor(const fs::path& file, bool create) {
    static std::mutex mutex;
    struct Held {
        fs::path path;
        dev_t device;
        ino_t inode;
        int fd;
    };
    static std::vector<Held> held;
    std::lock_guard<std::mutex> guard(mutex);
    struct stat status {};
    std::erase_if(held, [](const Held& entry) {
        struct stat now {};
        if (::lstat(entry.path.c_str(), &now) == 0 || errno != ENOENT) return false;
        ::close(entry.fd);
        return true;
    });
    if (::lstat(file.c_str(), &status) == 0) {
        for (const Held& entry : held) {
            if (entry.device == status.st_dev && entry.inode == status.st_ino) return entry.fd;
        }
    } else if (!create) {
        return -1;
    }
    const int flags = O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK | (create ? O_CREAT : 0);
    const int fd = ::open(file.c_str(), flags, 0600);
    if (fd < 0) return -1;
    if (::fstat(fd, &status) != 0) return fd;  // not kept: cannot tell it apart later
    held.push_back({ file, status.st_dev, status.st_ino, fd });
    return fd;
}

}  // namespace

bool is_device_state_name(std::u16string_view top_level_name) {
    for (const char* state : { kRegistryFileName, kRegistryLockName, kNotifyVolumeFileName, kNotifyLockName,
                               kNotifyChangeFileName, kDeviceClockFileName, kDeviceLockFileName,
                               kTodayLockFileName, kDockLockFileName, kRuntimePointerFileName }) {
        if (starts_with_ignoring_case(top_level_name, to_u16(state))) return true;
    }
    return false;
}

bool create_private_file(const fs::path& file) { return lasting_descriptor(file, true) >= 0; }

StateFileLock::StateFileLock(const fs::path& file) {
    m_fd = ::open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (m_fd < 0) return;
    while (flock(m_fd, LOCK_EX) != 0) {
        if (errno != EINTR) {
            int error = errno;
            ::close(m_fd);
            m_fd = -1;
            errno = error;
            return;
        }
    }
}

StateFileLock::~StateFileLock() {
    if (m_fd >= 0) ::close(m_fd);  // closing releases the lock
}

bool has_foreign_sqlite_header(const fs::path& file) {
    std::error_code ec;
    auto size = fs::file_size(file, ec);
    if (ec || size == 0) return false;
    static constexpr char kMagic[16] = "SQLite format 3";  // with its NUL: 16 bytes
    char header[sizeof kMagic] = {};
    int fd = lasting_descriptor(file, false);
    if (fd < 0) return false;  // unreadable: SQLite reports it
    ssize_t got = ::pread(fd, header, sizeof header, 0);
    return size < 512 || got != static_cast<ssize_t>(sizeof header) || std::memcmp(header, kMagic, sizeof header) != 0;
}

std::optional<fs::path> move_aside(const fs::path& file) {
    char stamp[32];
    std::time_t now = std::time(nullptr);
    std::tm local {};
    localtime_r(&now, &local);
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
    std::string base = file.string() + ".bad-" + stamp + "-" + std::to_string(getpid());
    for (int attempt = 0; attempt < 1000; ++attempt) {
        fs::path target = attempt == 0 ? fs::path(base) : fs::path(base + "-" + std::to_string(attempt));
        std::error_code ec;
        if (fs::exists(target, ec) || fs::exists(target.string() + "-wal", ec)) continue;
        if (!rename_no_replace(file, target)) {
            if (errno == EEXIST) continue;
            return std::nullopt;
        }
        // A log or index left beside the damaged file belongs to it, not to the new one.
        for (const char* suffix : { "-wal", "-shm", "-journal" }) {
            fs::path companion = file.string() + suffix;
            if (fs::exists(companion, ec)) rename_no_replace(companion, target.string() + suffix);
        }
        return target;
    }
    errno = EEXIST;
    return std::nullopt;
}

}  // namespace zt::platform
