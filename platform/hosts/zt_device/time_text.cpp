#include "platform/hosts/zt_device/time_text.h"

#include <charconv>
#include <cstdio>

namespace zt::platform::device {
namespace {

std::optional<uint16_t> digits(std::string_view text, size_t at, size_t count) {
    unsigned value = 0;
    for (size_t i = at; i < at + count; ++i) {
        if (text[i] < '0' || text[i] > '9') return std::nullopt;
        value = value * 10 + static_cast<unsigned>(text[i] - '0');
    }
    return static_cast<uint16_t>(value);
}

}  // namespace

std::string format_local_time(const SYSTEMTIME& t) {
    char text[64];
    std::snprintf(text, sizeof text, "%04u-%02u-%02u %02u:%02u:%02u", t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute,
                  t.wSecond);
    return text;
}

std::optional<SYSTEMTIME> parse_local_time(std::string_view text) {
    if (text.size() != 19 || text[4] != '-' || text[7] != '-' || text[10] != ' ' || text[13] != ':' ||
        text[16] != ':') {
        return std::nullopt;
    }
    auto year = digits(text, 0, 4), month = digits(text, 5, 2), day = digits(text, 8, 2);
    auto hour = digits(text, 11, 2), minute = digits(text, 14, 2), second = digits(text, 17, 2);
    if (!year || !month || !day || !hour || !minute || !second) return std::nullopt;
    return normalize(SYSTEMTIME { *year, *month, 0, *day, *hour, *minute, *second, 0 });
}

std::optional<long long> parse_seconds(std::string_view text) {
    long long value = 0;
    if (text.empty()) return std::nullopt;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    // Far beyond any clock the device can show, and safe to turn into milliseconds.
    if (value > 1'000'000'000'000LL || value < -1'000'000'000'000LL) return std::nullopt;
    return value;
}

std::optional<uint32_t> parse_word(std::string_view text) {
    int base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        text.remove_prefix(2);
        base = 16;
    }
    uint32_t value = 0;
    if (text.empty()) return std::nullopt;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

std::string format_ms_as_seconds(long long ms) {
    std::string sign = ms < 0 ? "-" : "";
    unsigned long long magnitude = ms < 0 ? 0ULL - static_cast<unsigned long long>(ms) : static_cast<unsigned long long>(ms);
    std::string text = sign + std::to_string(magnitude / 1000);
    unsigned long long fraction = magnitude % 1000;
    if (fraction != 0) {
        char digits_text[8];
        std::snprintf(digits_text, sizeof digits_text, ".%03llu", fraction);
        std::string part = digits_text;
        while (part.back() == '0') part.pop_back();
        text += part;
    }
    return text;
}

}  // namespace zt::platform::device
