#include "platform/hosts/zt_device/testing/running_device.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <utility>

#include "platform/kernel/testing/test_device.h"
#include "platform/services/service_manager.h"

extern char** environ;

namespace zt::platform::testing {
namespace {

pid_t spawn(const std::vector<std::string>& args, int out_fd, int err_fd) {
    std::string program = built_program("zt-device").string();
    std::vector<char*> argv { program.data() };
    std::vector<std::string> copies = args;
    for (auto& arg : copies) argv.push_back(arg.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (out_fd >= 0) posix_spawn_file_actions_adddup2(&actions, out_fd, 1);
    if (err_fd >= 0) posix_spawn_file_actions_adddup2(&actions, err_fd, 2);
    pid_t pid = -1;
    if (posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ) != 0) pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

int reap(pid_t pid) {
    int status = 0;
    while (waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR) return -1;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

std::string drain(int fd) {
    std::string text;
    char buffer[4096];
    ssize_t got;
    while ((got = read(fd, buffer, sizeof buffer)) > 0) text.append(buffer, static_cast<size_t>(got));
    return text;
}

}  // namespace

std::optional<RunningDevice> RunningDevice::start(const std::filesystem::path& error_log) {
    int err_fd = error_log.empty() ? -1 : ::open(error_log.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    pid_t pid = spawn({ "run" }, -1, err_fd);
    if (err_fd >= 0) ::close(err_fd);
    if (pid < 0) return std::nullopt;
    RunningDevice device(pid);
    bool answering = eventually([&] {
        auto running = services::query_running_device();
        return running && running->pid == pid;
    });
    if (!answering) return std::nullopt;
    return device;
}

int RunningDevice::stop() {
    if (m_pid < 0) return -1;
    kill(m_pid, SIGTERM);
    return reap(std::exchange(m_pid, -1));
}

void RunningDevice::kill_hard() {
    if (m_pid < 0) return;
    kill(m_pid, SIGKILL);
    reap(std::exchange(m_pid, -1));
}

RunningDevice::RunningDevice(RunningDevice&& other) noexcept : m_pid(std::exchange(other.m_pid, -1)) {}

RunningDevice::~RunningDevice() { kill_hard(); }

CommandResult run_zt_device(const std::vector<std::string>& args) {
    CommandResult result;
    int out[2], err[2];
    if (pipe2(out, O_CLOEXEC) != 0) return result;
    if (pipe2(err, O_CLOEXEC) != 0) {
        close(out[0]);
        close(out[1]);
        return result;
    }
    pid_t pid = spawn(args, out[1], err[1]);
    close(out[1]);
    close(err[1]);
    // Outputs are small: stdout first, then stderr, cannot fill both pipes at once.
    result.out = drain(out[0]);
    result.err = drain(err[0]);
    close(out[0]);
    close(err[0]);
    if (pid > 0) result.exit_code = reap(pid);
    return result;
}

}  // namespace zt::platform::testing
