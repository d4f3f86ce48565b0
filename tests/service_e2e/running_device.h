#pragma once
// End-to-end test support: a fresh device root with the service installed as the installer
// would, and `zt-device run` started, stopped or killed in it.
#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/registry/testing/temp_device_root.h"

namespace zt::e2e {

// $ZT_BIN_DIR/<name>, or the compiled-in build folder when unset.
std::filesystem::path built_program(const std::string& name);

// Runs a program to its end; its exit code (128 + signal when killed), stdout in `output`.
int run_program(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                std::string* output = nullptr);

// Polls until the condition holds, at most `limit`.
bool eventually(const std::function<bool()>& condition, std::chrono::milliseconds limit = std::chrono::seconds(10));

class DeviceWithService {
public:
    DeviceWithService();
    ~DeviceWithService();
    DeviceWithService(const DeviceWithService&) = delete;
    DeviceWithService& operator=(const DeviceWithService&) = delete;

    const std::filesystem::path& root() const { return m_root.path(); }
    // Copies the stand-in program into the device under this device path.
    bool install_stand_in(const std::u16string& device_path);

    // Starts `zt-device run`; true once the service's window is up.
    bool start();
    // SIGTERM and wait; true when it ended on its own.
    bool stop();
    // SIGKILL: nothing of the device runs any more, nothing is cleaned up.
    void kill();
    bool running() const { return m_pid > 0; }

    // Lines of <root>/started.log.
    std::vector<std::string> started_lines() const;

private:
    zt::platform::testing::TempDeviceRoot m_root;
    pid_t m_pid { -1 };
};

}  // namespace zt::e2e
