#include "core/number_text.h"

#include <limits>

namespace zt::core {
namespace {

bool is_blank(char16_t c) { return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == u'\v' || c == u'\f'; }
bool is_digit(char16_t c) { return c >= u'0' && c <= u'9'; }

struct Scanned {
    bool negative { false };
    uint64_t magnitude { 0 };
    bool overflow { false };  // the digits exceed 64 bits
};

std::optional<Scanned> scan(std::u16string_view text) {
    size_t i = 0;
    while (i < text.size() && is_blank(text[i])) ++i;
    Scanned out;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) out.negative = text[i++] == u'-';
    if (i >= text.size() || !is_digit(text[i])) return std::nullopt;
    for (; i < text.size() && is_digit(text[i]); ++i) {
        uint64_t digit = static_cast<uint64_t>(text[i] - u'0');
        if (out.magnitude > (std::numeric_limits<uint64_t>::max() - digit) / 10) out.overflow = true;
        if (!out.overflow) out.magnitude = out.magnitude * 10 + digit;
    }
    return out;
}

}  // namespace

std::u16string format_unsigned(uint32_t value) {
    std::u16string digits;
    do {
        digits.insert(digits.begin(), static_cast<char16_t>(u'0' + value % 10));
        value /= 10;
    } while (value != 0);
    return digits;
}

std::u16string format_signed(int64_t value) {
    // Work on the magnitude as unsigned so that INT64_MIN formats too.
    uint64_t magnitude = value < 0 ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
    std::u16string digits;
    do {
        digits.insert(digits.begin(), static_cast<char16_t>(u'0' + magnitude % 10));
        magnitude /= 10;
    } while (magnitude != 0);
    if (value < 0) digits.insert(digits.begin(), u'-');
    return digits;
}

std::optional<uint32_t> scan_unsigned(std::u16string_view text) {
    auto scanned = scan(text);
    if (!scanned) return std::nullopt;
    if (scanned->overflow || scanned->magnitude > std::numeric_limits<uint32_t>::max())
        return std::numeric_limits<uint32_t>::max();
    uint32_t value = static_cast<uint32_t>(scanned->magnitude);
    return scanned->negative ? 0u - value : value;
}

std::optional<int64_t> scan_int64(std::u16string_view text) {
    auto scanned = scan(text);
    if (!scanned) return std::nullopt;
    constexpr uint64_t kMaxPositive = static_cast<uint64_t>(std::numeric_limits<int64_t>::max());
    if (scanned->negative) {
        if (scanned->overflow || scanned->magnitude > kMaxPositive + 1) return std::numeric_limits<int64_t>::min();
        return static_cast<int64_t>(0 - scanned->magnitude);
    }
    if (scanned->overflow || scanned->magnitude > kMaxPositive) return std::numeric_limits<int64_t>::max();
    return static_cast<int64_t>(scanned->magnitude);
}

std::optional<int32_t> parse_item_id(std::u16string_view name) {
    if (name.empty() || name.size() > 10 || name[0] == u'0') return std::nullopt;
    int64_t value = 0;
    for (char16_t c : name) {
        if (!is_digit(c)) return std::nullopt;
        value = value * 10 + (c - u'0');
    }
    if (value > std::numeric_limits<int32_t>::max()) return std::nullopt;
    return static_cast<int32_t>(value);
}

std::u16string format_three_places(int32_t value) {
    std::u16string text = format_signed(value);
    if (text.size() < 3) text.insert(0, 3 - text.size(), u' ');
    return text;
}

}  // namespace zt::core
