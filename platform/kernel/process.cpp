#include "platform/kernel/process.h"

#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "platform/base/device_path.h"
#include "platform/base/device_root.h"
#include "platform/base/text.h"
#include "platform/kernel/deadline.h"

extern char** environ;

namespace zt::platform {
namespace {

// glibc's idtype_t does not name it yet; the kernel's value is stable ABI.
constexpr idtype_t kPidfdIdType = static_cast<idtype_t>(3);

// Straight system calls: C library wrappers exist only in newer versions (and the header of
// the first ones lacks C linkage for C++).
int open_pidfd(pid_t pid) { return static_cast<int>(syscall(SYS_pidfd_open, pid, 0u)); }

bool send_kill(int pidfd) {
    return syscall(SYS_pidfd_send_signal, pidfd, SIGKILL, nullptr, 0u) == 0;
}

std::vector<std::string> child_environment(const std::string& root, const std::string& module) {
    std::vector<std::string> env;
    for (char** entry = environ; entry && *entry; ++entry) {
        std::string_view e(*entry);
        if (e.starts_with("ZT_ROOT=") || e.starts_with("ZT_MODULE=")) continue;
        env.emplace_back(e);
    }
    env.push_back("ZT_ROOT=" + root);
    env.push_back("ZT_MODULE=" + module);
    return env;
}

std::vector<char*> pointers(std::vector<std::string>& strings) {
    std::vector<char*> out;
    for (auto& s : strings) out.push_back(s.data());
    out.push_back(nullptr);
    return out;
}

// A child must start with default signal handling and nothing blocked, whatever the parent
// (a Qt program, a test runner) did to its own.
class CleanSignalsAttributes {
public:
    CleanSignalsAttributes() {
        m_ok = posix_spawnattr_init(&m_attributes) == 0;
        if (!m_ok) return;
        sigset_t none;
        sigset_t all;
        sigemptyset(&none);
        sigfillset(&all);
        m_ok = posix_spawnattr_setsigmask(&m_attributes, &none) == 0 &&
               posix_spawnattr_setsigdefault(&m_attributes, &all) == 0 &&
               posix_spawnattr_setflags(&m_attributes,
                                        POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF) == 0;
    }
    CleanSignalsAttributes(const CleanSignalsAttributes&) = delete;
    CleanSignalsAttributes& operator=(const CleanSignalsAttributes&) = delete;
    ~CleanSignalsAttributes() { posix_spawnattr_destroy(&m_attributes); }
    bool ok() const { return m_ok; }
    const posix_spawnattr_t* get() const { return &m_attributes; }

private:
    posix_spawnattr_t m_attributes {};
    bool m_ok { false };
};

// Only stdin, stdout and stderr reach the child, even descriptors some library opened
// without close-on-exec (a leaked socket or lock file would outlive its owner in the child).
class OnlyStandardDescriptors {
public:
    OnlyStandardDescriptors() {
        m_ok = posix_spawn_file_actions_init(&m_actions) == 0;
        m_ok = m_ok && posix_spawn_file_actions_addclosefrom_np(&m_actions, 3) == 0;
    }
    OnlyStandardDescriptors(const OnlyStandardDescriptors&) = delete;
    OnlyStandardDescriptors& operator=(const OnlyStandardDescriptors&) = delete;
    ~OnlyStandardDescriptors() { posix_spawn_file_actions_destroy(&m_actions); }
    bool ok() const { return m_ok; }
    const posix_spawn_file_actions_t* get() const { return &m_actions; }

private:
    posix_spawn_file_actions_t m_actions {};
    bool m_ok { false };
};

bool waitid_retrying(int pidfd, siginfo_t& info, int options) {
    std::memset(&info, 0, sizeof info);
    while (waitid(kPidfdIdType, static_cast<id_t>(pidfd), &info, options) != 0) {
        if (errno != EINTR) return false;
    }
    return true;
}

// Reaps a child whose handle closed while it still ran; the thread lives as long as the child.
void reap_later(int pidfd) {
    try {
        std::thread([pidfd] {
            siginfo_t info;
            waitid_retrying(pidfd, info, WEXITED);
            ::close(pidfd);
        }).detach();
    } catch (...) {
        ::close(pidfd);  // no thread to spare: the child stays a zombie until we exit
    }
}

}  // namespace

std::optional<Process> Process::create(std::u16string_view device_path,
                                       std::u16string_view command_line) {
    auto root = device_root();
    auto host = map_device_path(device_path, root);
    if (root.empty() || !host) return std::nullopt;
    std::u16string module = to_device_path(*host, root).value_or(std::u16string(device_path));

    std::string program = host->string();
    std::vector<std::string> args { program };
    if (!command_line.empty()) args.push_back(utf16_to_utf8(command_line));
    std::vector<std::string> env = child_environment(root.string(), utf16_to_utf8(module));
    auto argv = pointers(args);
    auto envp = pointers(env);

    CleanSignalsAttributes attributes;
    OnlyStandardDescriptors descriptors;
    if (!attributes.ok() || !descriptors.ok()) return std::nullopt;
    pid_t pid = -1;
    if (posix_spawn(&pid, program.c_str(), descriptors.get(), attributes.get(), argv.data(),
                    envp.data()) != 0)
        return std::nullopt;
    // Our own unreaped child: its id cannot be recycled before we open it.
    int pidfd = open_pidfd(pid);
    if (pidfd < 0) {
        kill(pid, SIGKILL);
        while (waitpid(pid, nullptr, 0) < 0 && errno == EINTR) {
        }
        return std::nullopt;
    }
    return Process(pid, pidfd, true);
}

int current_process_id() { return static_cast<int>(::getpid()); }

std::optional<Process> Process::open(int id) {
    if (id <= 0) return std::nullopt;
    int pidfd = open_pidfd(id);
    if (pidfd < 0) return std::nullopt;
    // Only a child can be waited for; ECHILD tells us it is someone else's.
    siginfo_t info;
    bool child = waitid_retrying(pidfd, info, WEXITED | WNOHANG | WNOWAIT);
    return Process(id, pidfd, child);
}

bool Process::ended() const {
    pollfd fd { m_pidfd, POLLIN, 0 };
    return poll(&fd, 1, 0) == 1;
}

Process::WaitResult Process::wait(std::optional<std::chrono::milliseconds> limit) {
    if (m_pidfd < 0) return WaitResult::Failed;
    auto deadline = detail::Deadline::after(limit);
    for (;;) {
        pollfd fd { m_pidfd, POLLIN, 0 };
        timespec left {};
        if (!deadline.unlimited()) {
            auto ns = deadline.remaining().count();
            left.tv_sec = static_cast<time_t>(ns / 1'000'000'000);
            left.tv_nsec = static_cast<long>(ns % 1'000'000'000);
        }
        int rc = ppoll(&fd, 1, deadline.unlimited() ? nullptr : &left, nullptr);
        if (rc == 1) return WaitResult::Ended;
        if (rc == 0) return WaitResult::TimedOut;
        if (errno != EINTR) return WaitResult::Failed;
    }
}

ExitStatus Process::exit_status() const {
    if (m_pidfd < 0) return {};
    if (!ended()) return { ExitStatus::State::StillActive, 0 };
    siginfo_t info;
    if (m_child && waitid_retrying(m_pidfd, info, WEXITED | WNOHANG | WNOWAIT) &&
        info.si_pid != 0) {
        if (info.si_code == CLD_EXITED)
            return { ExitStatus::State::Exited, static_cast<std::uint32_t>(info.si_status) };
        if (m_terminated_with && info.si_status == SIGKILL)
            return { ExitStatus::State::Exited, *m_terminated_with };
        return { ExitStatus::State::Exited, 128u + static_cast<std::uint32_t>(info.si_status) };
    }
    if (m_terminated_with) return { ExitStatus::State::Exited, *m_terminated_with };
    return { ExitStatus::State::Unknown, 0 };
}

bool Process::terminate(std::uint32_t exit_code) {
    if (m_pidfd < 0 || ended()) return false;
    if (!send_kill(m_pidfd)) return false;
    m_terminated_with = exit_code;
    return true;
}

Process::Process(Process&& other) noexcept
    : m_pid(std::exchange(other.m_pid, -1)),
      m_pidfd(std::exchange(other.m_pidfd, -1)),
      m_child(std::exchange(other.m_child, false)),
      m_terminated_with(std::exchange(other.m_terminated_with, std::nullopt)) {}

Process& Process::operator=(Process&& other) noexcept {
    if (this != &other) {
        close();
        m_pid = std::exchange(other.m_pid, -1);
        m_pidfd = std::exchange(other.m_pidfd, -1);
        m_child = std::exchange(other.m_child, false);
        m_terminated_with = std::exchange(other.m_terminated_with, std::nullopt);
    }
    return *this;
}

Process::~Process() { close(); }

void Process::close() {
    int pidfd = std::exchange(m_pidfd, -1);
    if (pidfd < 0) return;
    if (m_child) {
        siginfo_t info;
        if (waitid_retrying(pidfd, info, WEXITED | WNOHANG) && info.si_pid == 0) {
            reap_later(pidfd);  // still running
            return;
        }
    }
    ::close(pidfd);
}

}  // namespace zt::platform
