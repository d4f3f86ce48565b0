#pragma once
// End-to-end test support: a fresh device root with the service installed as the installer
// would, and `zt-device run` started, stopped or killed in it.
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/testing/child_process.h"
#include "platform/testing/eventually.h"
#include "platform/testing/running_device.h"
#include "platform/testing/temp_device_root.h"

namespace zt::e2e {

using zt::platform::testing::built_program;
using zt::platform::testing::eventually;
using zt::platform::testing::kPatience;

// Runs a program to its end; its exit code (128 + signal when killed), stdout in `output`.
int run_program(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                std::string* output = nullptr);
// zt-install of the package into the device at `root` in the C locale: the programs keep their
// English texts whatever language the person running the tests uses.
int install_in_english(const std::filesystem::path& root, const std::string& package);

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
    bool running() const { return m_device && m_device->running(); }

    // Lines of <root>/started.log.
    std::vector<std::string> started_lines() const;

private:
    zt::platform::testing::TempDeviceRoot m_root;
    std::optional<zt::platform::testing::RunningDevice> m_device;
};

}  // namespace zt::e2e
