#pragma once
// Hex digits and numbers as zt-reg writes and reads them.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zt::platform::zt_reg {

// 0..15, or -1 for a character that is not a hex digit (either case).
int hex_digit(char c);
// Lower-case, two digits a byte, no separators.
std::string to_hex(std::span<const uint8_t> bytes);
// nullopt for an odd number of digits or a character that is not a hex digit.
std::optional<std::vector<uint8_t>> from_hex(std::string_view digits);
// Decimal or 0x hex, 0 ... 4294967295, nothing else around it; nullopt otherwise.
std::optional<uint32_t> parse_u32(std::string_view text);

}  // namespace zt::platform::zt_reg
