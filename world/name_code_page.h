#pragma once
// Name bytes of the city database are Windows-1252: the data generator writes Western European
// names in it and transliterates the rest to ASCII. Bytes below 0x80 and from 0xA0 up are the
// code points themselves; 0x80-0x9F follow the code page's table (the five bytes it leaves
// undefined keep their own value, as the handheld's conversion does).
#include <cstdint>
#include <optional>

namespace zt::world {

char16_t widen_name_byte(uint8_t byte);
// The byte for a character, or nothing when the code page has none (used by tools and tests).
std::optional<uint8_t> narrow_name_char(char16_t unit);

}  // namespace zt::world
