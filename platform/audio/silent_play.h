#pragma once
// What the silent outputs share: the log line of a play, and waiting out a sound's duration.
#include "platform/audio/cancel.h"
#include <cstdint>
#include <string>
#include <string_view>

namespace zt::platform::audio {

// "play <name> volume=0x<8 hex digits>".
std::string play_line(std::u16string_view name, uint32_t level);

// Waits the duration on the real clock, in short steps so a cancel is seen within about
// 5 ms. True when the whole duration passed, false when cancelled.
bool wait_silently(uint64_t duration_ms, const Cancel& cancel);

}  // namespace zt::platform::audio
