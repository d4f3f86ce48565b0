#pragma once
// "YYYY-MM-DD HH:MM:SS", the form in which zt-device shows and takes local times.
#include <optional>
#include <string>
#include <string_view>

#include "platform/base/system_time.h"

namespace zt::platform::device {

std::string format_local_time(const SYSTEMTIME& time);
// Exactly that form, a real date and time of day; nullopt otherwise.
std::optional<SYSTEMTIME> parse_local_time(std::string_view text);

// Integer seconds as written ("-90", "3600"); nullopt for anything else.
std::optional<long long> parse_seconds(std::string_view text);
// Decimal or 0x hex, within 32 bits.
std::optional<uint32_t> parse_word(std::string_view text);
// Milliseconds shown as seconds: "3600", "-1.5".
std::string format_ms_as_seconds(long long ms);

}  // namespace zt::platform::device
