#include "platform/testing/running_device.h"

#include <fcntl.h>
#include <unistd.h>

namespace zt::platform::testing {

std::optional<RunningDevice> RunningDevice::start(const DeviceStart& how) {
    SpawnOptions options;
    if (!how.error_log.empty()) {
        options.stderr_fd = ::open(how.error_log.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
        EXPECT_GE(options.stderr_fd, 0) << "cannot write " << how.error_log;
    }
    auto process = ChildProcess::spawn(built_program("zt-device"), how.arguments, options);
    if (options.stderr_fd >= 0) ::close(options.stderr_fd);
    if (!process) return std::nullopt;
    const pid_t pid = process->pid();
    // A device that died on the way up is not waited for until the limit.
    std::optional<int> died;
    auto ready = eventually([&] { return (died = process->exit_code_if_ended()) || how.ready(pid); }, kPatience,
                            how.what);
    if (died) {
        ADD_FAILURE() << "zt-device ended with " << *died << " before " << how.what;
        return std::nullopt;
    }
    if (!ready) {
        ADD_FAILURE() << ready.message();
        return std::nullopt;
    }
    return RunningDevice(std::move(*process));
}

ProgramResult run_zt_device(const std::vector<std::string>& arguments) {
    return run_program(built_program("zt-device"), arguments);
}

}  // namespace zt::platform::testing
