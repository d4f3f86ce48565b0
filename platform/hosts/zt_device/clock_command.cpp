#include <cstdio>

#include "platform/base/clock.h"
#include "platform/hosts/zt_device/commands.h"
#include "platform/hosts/zt_device/time_text.h"

namespace zt::platform::device {
namespace {

int out_of_range() {
    std::fprintf(stderr, "zt-device: the device clock stays between the years 1601 and 9999; nothing changed\n");
    return kExitFailure;
}

}  // namespace

// clock [--offset SECONDS | --set "YYYY-MM-DD HH:MM:SS"]
int clock_command(Words words) {
    if (words.size() == 2 && words[0] == "--offset") {
        auto seconds = parse_seconds(words[1]);
        if (!seconds) return usage_error("--offset takes whole seconds, e.g. 3600 or -90");
        if (!device_clock_offset_allowed(*seconds * 1000)) return out_of_range();
        if (!set_device_clock_offset_ms(*seconds * 1000)) {
            std::fprintf(stderr, "zt-device: cannot write the device clock\n");
            return kExitFailure;
        }
    } else if (words.size() == 2 && words[0] == "--set") {
        auto local = parse_local_time(words[1]);
        if (!local) return usage_error("--set takes \"YYYY-MM-DD HH:MM:SS\"");
        if (local->wYear < 1601 || local->wYear > 9999) return out_of_range();
        if (!set_device_local_time(*local)) {
            // Past the year check only a zone offset at the very ends of the range, or the write.
            std::fprintf(stderr, "zt-device: cannot set the device clock to %s: outside its range or not writable\n",
                         words[1].c_str());
            return kExitFailure;
        }
    } else if (!words.empty()) {
        return usage_error("clock takes --offset SECONDS or --set \"YYYY-MM-DD HH:MM:SS\"");
    }
    if (device_clock_file_damaged())
        std::fprintf(stderr, "zt-device: the device clock file is damaged and reads as no offset; "
                             "the next change replaces it\n");
    std::printf("time\t%s\noffset\t%s\n", format_local_time(local_time()).c_str(),
                format_ms_as_seconds(device_clock_offset_ms()).c_str());
    return kExitOk;
}

}  // namespace zt::platform::device
