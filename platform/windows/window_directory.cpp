#include "platform/windows/window_directory.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <string>
#include <string_view>

#include "platform/base/device_root.h"
#include "platform/base/le_bytes.h"
#include "platform/windows/window_record.h"

namespace zt::platform::detail {
namespace fs = std::filesystem;
namespace {

constexpr const char* kLockSuffix = ".lock";
constexpr const char* kRecordSuffix = ".rec";
constexpr const char* kSocketSuffix = ".sock";
constexpr const char* kNewRecordSuffix = ".rec.new";  // written, then renamed over the record
constexpr const char* kClaimPrefix = ".claim-";

std::string stem(WindowHandle handle) {
    char name[16];
    std::snprintf(name, sizeof name, "%08x", static_cast<unsigned>(handle));
    return name;
}

fs::path file_of(const fs::path& folder, WindowHandle handle, const char* suffix) {
    return folder / (stem(handle) + suffix);
}

std::optional<WindowHandle> handle_from_lock_name(const std::string& name) {
    if (name.size() != 8 + std::char_traits<char>::length(kLockSuffix) || !name.ends_with(kLockSuffix))
        return std::nullopt;
    WindowHandle handle = 0;
    for (int i = 0; i < 8; ++i) {
        char c = name[static_cast<std::size_t>(i)];
        int digit = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
        if (digit < 0) return std::nullopt;
        handle = (handle << 4) | static_cast<WindowHandle>(digit);
    }
    return handle == 0 ? std::nullopt : std::optional(handle);
}

// Handles stay clear of 0, of the small numbers and of all-ones, which programs on the
// handheld read as "no window", special insert positions or "every window".
WindowHandle random_handle() {
    for (;;) {
        WindowHandle h = 0;
        if (getrandom(&h, sizeof h, 0) != sizeof h) continue;
        if (h >= 0x10000 && h != 0xFFFFFFFFu) return h;
    }
}

bool set_lock(int fd, short type, bool wait) {
    struct flock fl {};
    fl.l_type = type;
    fl.l_whence = SEEK_SET;
    while (fcntl(fd, wait ? F_OFD_SETLKW : F_OFD_SETLK, &fl) != 0) {
        if (errno != EINTR) return false;
    }
    return true;
}

enum class Owner { Alive, Dead };

// The owner holds a read lock. Nobody holding a lock means the owner died; a write lock is
// someone else removing the dead window's files right now.
Owner owner_of(int lock_fd) {
    struct flock fl {};
    fl.l_type = F_WRLCK;
    fl.l_whence = SEEK_SET;
    if (fcntl(lock_fd, F_OFD_GETLK, &fl) != 0) return Owner::Dead;
    return fl.l_type == F_RDLCK ? Owner::Alive : Owner::Dead;
}

bool same_file(int fd, const fs::path& path) {
    struct stat by_fd {}, by_path {};
    return fstat(fd, &by_fd) == 0 && lstat(path.c_str(), &by_path) == 0 &&
           by_fd.st_dev == by_path.st_dev && by_fd.st_ino == by_path.st_ino;
}

void remove_window_files(const fs::path& folder, WindowHandle handle) {
    unlink(file_of(folder, handle, kSocketSuffix).c_str());
    unlink(file_of(folder, handle, kRecordSuffix).c_str());
    unlink(file_of(folder, handle, kNewRecordSuffix).c_str());
    unlink(file_of(folder, handle, kLockSuffix).c_str());
}

// Takes the write lock of a dead window and removes its files, unless another cleaner is at
// it or the name now belongs to a newer window.
void remove_if_dead(int lock_fd, const fs::path& folder, WindowHandle handle) {
    if (!set_lock(lock_fd, F_WRLCK, false)) return;
    if (same_file(lock_fd, file_of(folder, handle, kLockSuffix))) remove_window_files(folder, handle);
}

std::optional<std::vector<std::uint8_t>> read_small_file(const fs::path& path, std::size_t limit) {
    UniqueFd fd(open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW));
    if (!fd.valid()) return std::nullopt;
    std::vector<std::uint8_t> bytes(limit + 1);
    std::size_t got = 0;
    while (got < bytes.size()) {
        ssize_t n = read(fd.get(), bytes.data() + got, bytes.size() - got);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return std::nullopt;
        if (n == 0) break;
        got += static_cast<std::size_t>(n);
    }
    if (got > limit) return std::nullopt;
    bytes.resize(got);
    return bytes;
}

bool write_whole_file(const fs::path& path, std::span<const std::uint8_t> bytes) {
    UniqueFd fd(open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0600));
    if (!fd.valid()) return false;
    std::size_t put = 0;
    while (put < bytes.size()) {
        ssize_t n = write(fd.get(), bytes.data() + put, bytes.size() - put);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        put += static_cast<std::size_t>(n);
    }
    return true;
}

// The window behind one lock file: its record while the owner lives; its files removed
// when the owner died.
std::optional<WindowInfo> look_at(const fs::path& folder, WindowHandle handle) {
    // Read-write: taking the write lock of a dead window needs it.
    UniqueFd lock(open(file_of(folder, handle, kLockSuffix).c_str(), O_RDWR | O_CLOEXEC | O_NOFOLLOW));
    if (!lock.valid()) return std::nullopt;
    if (owner_of(lock.get()) == Owner::Dead) {
        remove_if_dead(lock.get(), folder, handle);
        return std::nullopt;
    }
    auto bytes = read_small_file(file_of(folder, handle, kRecordSuffix), kMaxRecordBytes);
    if (!bytes) return std::nullopt;  // still being published, or being withdrawn
    auto info = decode_window_record(*bytes);
    if (info) info->handle = handle;
    return info;
}

// The process that made a claim, from its name ".claim-<pid>-<n>"; 0 when the name is not ours.
pid_t claimer_of(const std::string& name) {
    pid_t pid = 0;
    for (std::size_t i = std::string_view(kClaimPrefix).size(); i < name.size() && name[i] != '-'; ++i) {
        if (name[i] < '0' || name[i] > '9' || pid > 100'000'000) return 0;
        pid = pid * 10 + (name[i] - '0');
    }
    return pid;
}

// A claim file left by a process that died between making it and linking it. A claim is made
// before it is locked, so an unlocked claim whose maker still lives is one being made now:
// removing it would make that window fail to appear.
void remove_stale_claim(const fs::path& path) {
    const pid_t claimer = claimer_of(path.filename().string());
    if (claimer > 0 && (kill(claimer, 0) == 0 || errno == EPERM)) return;
    UniqueFd fd(open(path.c_str(), O_RDWR | O_CLOEXEC | O_NOFOLLOW));
    if (fd.valid() && owner_of(fd.get()) == Owner::Dead && set_lock(fd.get(), F_WRLCK, false))
        unlink(path.c_str());
}

}  // namespace

fs::path window_folder() {
    fs::path runtime = device_runtime_dir();
    if (runtime.empty()) return {};
    fs::path folder = runtime / "win";
    if (mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) return {};
    struct stat st {};
    if (lstat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != geteuid() ||
        (st.st_mode & 077) != 0)
        return {};
    return folder;
}

fs::path window_socket_path(const fs::path& folder, WindowHandle handle) {
    return file_of(folder, handle, kSocketSuffix);
}

std::optional<WindowPublication> WindowPublication::claim() {
    fs::path folder = window_folder();
    if (folder.empty()) return std::nullopt;
    static std::atomic<unsigned> claims { 0 };
    fs::path claim = folder / (kClaimPrefix + std::to_string(getpid()) + "-" + std::to_string(claims++));
    UniqueFd lock(open(claim.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0600));
    if (!lock.valid()) return std::nullopt;
    if (!set_lock(lock.get(), F_RDLCK, false)) {
        unlink(claim.c_str());
        return std::nullopt;
    }
    for (int attempt = 0; attempt < 64; ++attempt) {
        WindowHandle handle = random_handle();
        if (link(claim.c_str(), file_of(folder, handle, kLockSuffix).c_str()) == 0) {
            unlink(claim.c_str());
            // Leftovers of a dead window that had this handle before; its lock is gone.
            unlink(file_of(folder, handle, kRecordSuffix).c_str());
            unlink(file_of(folder, handle, kSocketSuffix).c_str());
            return WindowPublication(folder, handle, std::move(lock), getpid());
        }
        if (errno != EEXIST) break;
    }
    unlink(claim.c_str());
    return std::nullopt;
}

WindowPublication::WindowPublication(WindowPublication&& other) noexcept
    : m_folder(std::move(other.m_folder)),
      m_handle(std::exchange(other.m_handle, 0)),
      m_lock(std::move(other.m_lock)),
      m_owner(other.m_owner) {}

WindowPublication& WindowPublication::operator=(WindowPublication&& other) noexcept {
    if (this != &other) {
        withdraw();
        m_folder = std::move(other.m_folder);
        m_handle = std::exchange(other.m_handle, 0);
        m_lock = std::move(other.m_lock);
        m_owner = other.m_owner;
    }
    return *this;
}

bool WindowPublication::write_record(const WindowInfo& info) const {
    if (m_handle == 0) return false;
    auto bytes = encode_window_record(info);
    if (bytes.empty()) return false;
    fs::path record = file_of(m_folder, m_handle, kRecordSuffix);
    fs::path temporary = file_of(m_folder, m_handle, kNewRecordSuffix);
    if (!write_whole_file(temporary, bytes)) {
        unlink(temporary.c_str());
        return false;
    }
    return rename(temporary.c_str(), record.c_str()) == 0;
}

void WindowPublication::withdraw() {
    if (m_handle == 0) return;
    if (getpid() == m_owner) remove_window_files(m_folder, m_handle);
    m_lock.reset();
    m_handle = 0;
}

std::vector<WindowInfo> scan_live_windows() {
    std::vector<WindowInfo> windows;
    fs::path folder = window_folder();
    if (folder.empty()) return windows;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::string name = it->path().filename().string();
        if (auto handle = handle_from_lock_name(name)) {
            if (auto info = look_at(folder, *handle)) windows.push_back(std::move(*info));
        } else if (name.starts_with(kClaimPrefix)) {
            remove_stale_claim(it->path());
        }
    }
    return windows;
}

std::optional<WindowInfo> read_live_window(WindowHandle handle) {
    if (handle == 0) return std::nullopt;
    fs::path folder = window_folder();
    if (folder.empty()) return std::nullopt;
    return look_at(folder, handle);
}

std::uint64_t next_z_order(const fs::path& folder) {
    UniqueFd fd(open((folder / "zorder").c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600));
    if (!fd.valid()) return 0;
    while (flock(fd.get(), LOCK_EX) != 0) {
        if (errno != EINTR) return 0;
    }
    std::uint8_t bytes[8] = {};
    std::uint64_t value = pread(fd.get(), bytes, sizeof bytes, 0) == sizeof bytes ? read_le64(bytes) : 0;
    write_le64(bytes, ++value);
    if (pwrite(fd.get(), bytes, sizeof bytes, 0) != sizeof bytes) return 0;
    return value;  // closing the descriptor drops the lock
}

}  // namespace zt::platform::detail
