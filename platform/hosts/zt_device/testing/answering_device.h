#pragma once
// `zt-device run` in the current root, ready once it answers on its control channel.
#include <filesystem>
#include <optional>

#include "platform/services/service_manager.h"
#include "platform/testing/running_device.h"

namespace zt::platform::testing {

inline std::optional<RunningDevice> start_answering_device(const std::filesystem::path& error_log = {}) {
    DeviceStart how;
    how.ready = [](pid_t pid) {
        auto running = services::query_running_device();
        return running && running->pid == pid;
    };
    how.what = "zt-device to answer on its control channel";
    how.error_log = error_log;
    return RunningDevice::start(how);
}

}  // namespace zt::platform::testing
