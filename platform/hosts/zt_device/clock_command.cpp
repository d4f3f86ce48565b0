#include <cstdio>

#include "platform/base/clock.h"
#include "platform/hosts/zt_device/commands.h"
#include "platform/hosts/zt_device/time_text.h"

namespace zt::platform::device {

// clock [--offset SECONDS | --set "YYYY-MM-DD HH:MM:SS"]
int clock_command(Words words) {
    if (words.size() == 2 && words[0] == "--offset") {
        auto seconds = parse_seconds(words[1]);
        if (!seconds) return usage_error("--offset takes whole seconds, e.g. 3600 or -90");
        if (!set_device_clock_offset_ms(*seconds * 1000)) {
            std::fprintf(stderr, "zt-device: cannot write the device clock\n");
            return kExitFailure;
        }
    } else if (words.size() == 2 && words[0] == "--set") {
        auto local = parse_local_time(words[1]);
        if (!local) return usage_error("--set takes \"YYYY-MM-DD HH:MM:SS\"");
        if (!set_device_local_time(*local)) {
            std::fprintf(stderr, "zt-device: cannot write the device clock\n");
            return kExitFailure;
        }
    } else if (!words.empty()) {
        return usage_error("clock takes --offset SECONDS or --set \"YYYY-MM-DD HH:MM:SS\"");
    }
    std::printf("time\t%s\noffset\t%s\n", format_local_time(local_time()).c_str(),
                format_ms_as_seconds(device_clock_offset_ms()).c_str());
    return kExitOk;
}

}  // namespace zt::platform::device
