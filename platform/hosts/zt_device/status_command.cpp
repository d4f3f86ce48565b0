#include <cstdio>

#include "platform/base/clock.h"
#include "platform/base/text.h"
#include "platform/hosts/zt_device/commands.h"
#include "platform/hosts/zt_device/device_lock.h"
#include "platform/hosts/zt_device/time_text.h"
#include "platform/notify/user_notification.h"
#include "platform/power/power_status.h"
#include "platform/services/service_manager.h"

namespace zt::platform::device {

int status_command(Words words) {
    if (!words.empty()) return usage_error("status takes no arguments");
    auto pid = DeviceLock::running_pid();
    std::printf("running\t%s\n", pid ? "yes" : "no");
    if (pid) std::printf("pid\t%d\n", *pid);
    std::printf("time\t%s\n", format_local_time(local_time()).c_str());
    std::printf("clock-offset\t%s\n", format_ms_as_seconds(device_clock_offset_ms()).c_str());
    std::printf("registrations\t%zu\n", notify::list_user_notifications().size());
    if (pid) {
        if (auto device = services::query_running_device()) {
            for (const auto& service : device->services) {
                std::printf("service\t%u\t%s\t%s\n", service.handle, utf16_to_utf8(service.name).c_str(),
                            utf16_to_utf8(service.device_name).c_str());
            }
        } else {
            std::fprintf(stderr, "zt-device: the running device does not answer\n");
        }
    }
    std::printf("ac-power\t%s\n", ac_line_name(system_power_status().ac_line));
    return kExitOk;
}

}  // namespace zt::platform::device
