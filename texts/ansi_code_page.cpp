#include "texts/ansi_code_page.h"

#include <array>

namespace zt::app {
namespace {

// 0x80..0x9F; the rest of the code page equals Latin-1.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

}  // namespace

std::u16string ansi_to_utf16(std::span<const uint8_t> bytes) {
    std::u16string out;
    out.reserve(bytes.size());
    for (uint8_t b : bytes) out.push_back(b >= 0x80 && b <= 0x9F ? kHighControls[b - 0x80] : static_cast<char16_t>(b));
    return out;
}

std::string utf16_to_ansi(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char16_t unit : text) {
        char byte = '?';
        if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF)) {
            byte = static_cast<char>(unit);
        } else {
            for (size_t i = 0; i < kHighControls.size(); ++i)
                if (kHighControls[i] == unit) byte = static_cast<char>(0x80 + i);
        }
        out.push_back(byte);
    }
    return out;
}

}  // namespace zt::app
