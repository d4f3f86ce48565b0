#pragma once
// zt-device as a child process of a test, in the current device root.
#include <sys/types.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace zt::platform::testing {

class RunningDevice {
public:
    // Starts "zt-device run" and waits until it answers on its control channel. What it
    // writes to stderr goes to error_log when one is given.
    static std::optional<RunningDevice> start(const std::filesystem::path& error_log = {});
    pid_t pid() const { return m_pid; }
    // SIGTERM, then the exit code (or 128 + signal).
    int stop();
    // SIGKILL, as a crash or power loss would end it.
    void kill_hard();

    RunningDevice(RunningDevice&& other) noexcept;
    RunningDevice& operator=(RunningDevice&&) = delete;
    RunningDevice(const RunningDevice&) = delete;
    RunningDevice& operator=(const RunningDevice&) = delete;
    ~RunningDevice();

private:
    explicit RunningDevice(pid_t pid) : m_pid(pid) {}
    pid_t m_pid { -1 };
};

struct CommandResult {
    int exit_code { -1 };
    std::string out;
    std::string err;
};
// Runs zt-device with these arguments (in the current root through ZT_ROOT) and collects
// what it printed.
CommandResult run_zt_device(const std::vector<std::string>& args);

}  // namespace zt::platform::testing
