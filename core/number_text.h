#pragma once
// Decimal numbers as records and registry value names hold them.
//
// Reading follows the records' historic scanf-style rule: leading blanks, an optional sign,
// then digits; text after the digits is ignored; no digit at all means "no number". The
// differences from a bare scanf are deliberate, because scanf's overflow is undefined:
// an unsigned number too large for 32 bits reads as 0xFFFFFFFF, a signed one saturates at
// its type's bounds, and a '-' before an unsigned number negates it modulo 2^32 as "%u" does.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zt::core {

std::u16string format_unsigned(uint32_t value);
std::u16string format_signed(int64_t value);
// "%3d": right-aligned in three places ("  0", " 10", "100"); wider numbers take more.
std::u16string format_three_places(int32_t value);

std::optional<uint32_t> scan_unsigned(std::u16string_view text);
std::optional<int64_t> scan_int64(std::u16string_view text);

// A record's value name: the whole text must be a decimal number from 1 to 2^31-1 with no
// sign, blanks or trailing characters. Looser forms would let a value such as "12abc" stand
// for record 12 and make a reload read (and then delete) a different value.
std::optional<int32_t> parse_item_id(std::u16string_view name);

}  // namespace zt::core
