#include "platform/audio/silent_play.h"

#include <chrono>
#include <cstdio>
#include <thread>

#include "platform/base/text.h"

namespace zt::platform::audio {

std::string play_line(std::u16string_view name, uint32_t level) {
    char hex[16];
    std::snprintf(hex, sizeof hex, "0x%08X", level);
    return "play " + utf16_to_utf8(name) + " volume=" + hex;
}


bool wait_silently(uint64_t duration_ms, const Cancel& cancel) {
    using namespace std::chrono;
    const auto end = steady_clock::now() + milliseconds(duration_ms);
    while (!cancel.requested()) {
        const auto now = steady_clock::now();
        if (now >= end) return true;
        std::this_thread::sleep_for(std::min<steady_clock::duration>(end - now, milliseconds(5)));
    }
    return false;
}

}  // namespace zt::platform::audio
