#include "tests/service_e2e/running_device.h"

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <thread>

#include "contracts/service.h"
#include "platform/base/device_path.h"
#include "platform/kernel/process.h"
#include "platform/kernel/process_list.h"
#include "platform/registry/registry.h"
#include "platform/windows/window_lookup.h"

extern char** environ;

namespace zt::e2e {
namespace {

using zt::platform::registry::Key;
using zt::platform::registry::Root;


pid_t spawn(const std::filesystem::path& program, const std::vector<std::string>& arguments, int stdout_fd) {
    std::vector<std::string> words { program.string() };
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (stdout_fd >= 0) posix_spawn_file_actions_adddup2(&actions, stdout_fd, 1);
    pid_t pid = -1;
    if (posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ) != 0) pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

int wait_for(pid_t pid) {
    int status = 0;
    while (waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR) return -1;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

bool install_service_library() {
    auto windows = zt::platform::map_device_path(u"\\Windows\\ZunTimeService.dll");
    if (!windows) return false;
    std::error_code error;
    std::filesystem::create_directories(windows->parent_path(), error);
    std::filesystem::copy_file(ZT_SERVICE_LIBRARY, *windows, std::filesystem::copy_options::overwrite_existing, error);
    if (error) return false;
    auto created = Key::create(Root::LocalMachine, u"Services\\ZunTimeService");
    if (!created) return false;
    const Key& key = created->key;
    return key.set_string(u"Dll", u"ZunTimeService.dll") == zt::platform::registry::Status::Ok &&
           key.set_string(u"Prefix", u"STM") == zt::platform::registry::Status::Ok &&
           key.set_dword(u"Order", 9) == zt::platform::registry::Status::Ok &&
           key.set_dword(u"Index", 0) == zt::platform::registry::Status::Ok;
}

}  // namespace

std::filesystem::path built_program(const std::string& name) {
    const char* folder = std::getenv("ZT_BIN_DIR");
    return std::filesystem::path(folder && *folder ? folder : ZT_DEFAULT_BIN_DIR) / name;
}

int run_program(const std::filesystem::path& program, const std::vector<std::string>& arguments, std::string* output) {
    int pipe_fds[2] = { -1, -1 };
    if (output && pipe(pipe_fds) != 0) return -1;
    const pid_t pid = spawn(program, arguments, output ? pipe_fds[1] : -1);
    if (output) {
        close(pipe_fds[1]);
        char buffer[4096];
        for (ssize_t got; (got = read(pipe_fds[0], buffer, sizeof buffer)) > 0;) output->append(buffer, size_t(got));
        close(pipe_fds[0]);
    }
    return pid < 0 ? -1 : wait_for(pid);
}

bool eventually(const std::function<bool()>& condition, std::chrono::milliseconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    for (;;) {
        if (condition()) return true;
        if (std::chrono::steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

DeviceWithService::DeviceWithService() {
    install_service_library();
}

DeviceWithService::~DeviceWithService() {
    if (m_pid > 0) {
        if (!stop()) kill();
    }
    // Programs the service started (a main program still showing its screen saver) would
    // outlive the test and its root otherwise.
    const int self = static_cast<int>(getpid());
    for (const zt::platform::ProcessEntry& entry : zt::platform::device_processes()) {
        if (entry.id == self) continue;
        if (auto process = zt::platform::Process::open(entry.id)) process->terminate(0);
    }
}

bool DeviceWithService::install_stand_in(const std::u16string& device_path) {
    auto host = zt::platform::map_device_path(device_path);
    if (!host) return false;
    std::error_code error;
    std::filesystem::create_directories(host->parent_path(), error);
    std::filesystem::copy_file(ZT_STAND_IN_PROGRAM, *host, std::filesystem::copy_options::overwrite_existing, error);
    return !error;
}

bool DeviceWithService::start() {
    m_pid = spawn(built_program("zt-device"), { "--root", root().string(), "run" }, -1);
    if (m_pid < 0) return false;
    return eventually([] { return zt::platform::find_window(contracts::kServiceClass).has_value(); });
}

bool DeviceWithService::stop() {
    if (m_pid <= 0) return true;
    ::kill(m_pid, SIGTERM);
    const int code = wait_for(m_pid);
    m_pid = -1;
    return code == 0;
}

void DeviceWithService::kill() {
    if (m_pid <= 0) return;
    ::kill(m_pid, SIGKILL);
    wait_for(m_pid);
    m_pid = -1;
}

std::vector<std::string> DeviceWithService::started_lines() const {
    std::vector<std::string> lines;
    std::ifstream in(root() / "started.log");
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

}  // namespace zt::e2e
