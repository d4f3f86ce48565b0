#include "platform/testing/child_process.h"

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <cstdlib>
#include <utility>

extern char** environ;

namespace zt::platform::testing {
namespace {

int decode_status(int status) {
    if (WIFEXITED(status)) return WEXITSTATUS(status);
    if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
    return -1;
}

// The exit code once the child has ended; nullopt while it runs. -1 when it is not ours.
std::optional<int> reap_if_ended(pid_t pid) {
    int status = 0;
    for (;;) {
        const pid_t got = waitpid(pid, &status, WNOHANG);
        if (got == pid) return decode_status(status);
        if (got == 0) return std::nullopt;
        if (errno != EINTR) return -1;
    }
}

void reap_blocking(pid_t pid) {
    while (waitpid(pid, nullptr, 0) < 0 && errno == EINTR) {
    }
}

int wait_bounded(pid_t pid, std::chrono::milliseconds limit, const std::string& name) {
    std::optional<int> code;
    const bool ended = eventually([&] { return (code = reap_if_ended(pid)).has_value(); }, limit,
                                  "the exit of " + name);
    if (ended) return *code;
    ADD_FAILURE() << name << " (pid " << pid << ") still ran after " << limit.count() << " ms; killed";
    ::kill(pid, SIGKILL);
    reap_blocking(pid);  // SIGKILL cannot be ignored, so this returns
    return -1;
}

}  // namespace

std::filesystem::path built_program(std::string_view name) {
    const char* dir = std::getenv("ZT_BIN_DIR");
    return std::filesystem::path(dir && *dir ? dir : ".") / name;
}

std::optional<ChildProcess> ChildProcess::spawn(const std::filesystem::path& program,
                                                const std::vector<std::string>& arguments,
                                                const SpawnOptions& options) {
    std::vector<std::string> words { program.string() };
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    for (int fd : options.close_in_child) posix_spawn_file_actions_addclose(&actions, fd);
    if (options.stdin_fd >= 0) posix_spawn_file_actions_adddup2(&actions, options.stdin_fd, 0);
    if (options.stdout_fd >= 0) posix_spawn_file_actions_adddup2(&actions, options.stdout_fd, 1);
    if (options.stderr_fd >= 0) posix_spawn_file_actions_adddup2(&actions, options.stderr_fd, 2);
    std::vector<std::string> variables = options.environment.value_or(std::vector<std::string> {});
    std::vector<char*> envp;
    for (std::string& variable : variables) envp.push_back(variable.data());
    envp.push_back(nullptr);
    char** env = options.environment ? envp.data() : environ;
    pid_t pid = -1;
    const int error = options.search_path ? posix_spawnp(&pid, words[0].c_str(), &actions, nullptr, argv.data(), env)
                                          : posix_spawn(&pid, words[0].c_str(), &actions, nullptr, argv.data(), env);
    posix_spawn_file_actions_destroy(&actions);
    if (error != 0) {
        ADD_FAILURE() << "cannot start " << program << ": " << std::strerror(error);
        return std::nullopt;
    }
    return ChildProcess(pid, program.filename().string());
}

std::optional<ChildProcess> ChildProcess::fork(const std::function<int()>& body) {
    const pid_t pid = fork_child(body);
    if (pid < 0) return std::nullopt;
    return ChildProcess(pid, "forked child");
}

int ChildProcess::wait_exit(std::chrono::milliseconds limit) {
    if (m_pid <= 0) return -1;
    return wait_bounded(std::exchange(m_pid, -1), limit, m_name);
}

std::optional<int> ChildProcess::exit_code_if_ended() {
    if (m_pid <= 0) return -1;
    auto code = reap_if_ended(m_pid);
    if (code) m_pid = -1;
    return code;
}

int ChildProcess::terminate(std::chrono::milliseconds limit) {
    if (m_pid <= 0) return -1;
    ::kill(m_pid, SIGTERM);
    return wait_exit(limit);
}

void ChildProcess::kill_now() {
    if (m_pid <= 0) return;
    ::kill(m_pid, SIGKILL);
    reap_blocking(std::exchange(m_pid, -1));
}

ChildProcess::ChildProcess(ChildProcess&& other) noexcept
    : m_pid(std::exchange(other.m_pid, -1)), m_name(std::move(other.m_name)) {}

ChildProcess& ChildProcess::operator=(ChildProcess&& other) noexcept {
    if (this != &other) {
        kill_now();
        m_pid = std::exchange(other.m_pid, -1);
        m_name = std::move(other.m_name);
    }
    return *this;
}

ChildProcess::~ChildProcess() { kill_now(); }

pid_t fork_child(const std::function<int()>& body) {
    const pid_t pid = ::fork();
    if (pid == 0) _exit(body());
    if (pid < 0) ADD_FAILURE() << "fork failed: " << std::strerror(errno);
    return pid;
}

int wait_child(pid_t pid, std::chrono::milliseconds limit) {
    if (pid <= 0) return -1;
    return wait_bounded(pid, limit, "forked child");
}

}  // namespace zt::platform::testing
