#pragma once
// zt-device as a child process of a test, in the current device root.
#include <sys/types.h>

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/testing/child_process.h"
#include "platform/testing/run_program.h"

namespace zt::platform::testing {

struct DeviceStart {
    // What tells the test the device is up, given its process id (it answers on its control
    // channel, a service's window is there), and how the failure names it.
    std::function<bool(pid_t)> ready;
    std::string what { "the device to come up" };
    // zt-device's arguments.
    std::vector<std::string> arguments { "run" };
    // Where its stderr goes, when given.
    std::filesystem::path error_log;
};

class RunningDevice {
public:
    // Starts zt-device and waits (bounded) until it is ready; nullopt, with the test failed
    // naming what it waited for, when it did not come up.
    static std::optional<RunningDevice> start(const DeviceStart& how);
    pid_t pid() const { return m_process.pid(); }
    bool running() const { return m_process.running(); }
    // SIGTERM, then the exit code (or 128 + signal).
    int stop() { return m_process.terminate(); }
    // SIGKILL, as a crash or power loss would end it.
    void kill_hard() { m_process.kill_now(); }

private:
    explicit RunningDevice(ChildProcess process) : m_process(std::move(process)) {}
    ChildProcess m_process;
};

// Runs zt-device with these arguments (in the current root through ZT_ROOT) to its end.
ProgramResult run_zt_device(const std::vector<std::string>& arguments);

}  // namespace zt::platform::testing
