#pragma once
// Windows bitmap files as skin archives carry them: a 14-byte file header (pixel data offset
// in bytes 10..13) and a 40-byte information header. Uncompressed 8 (palette), 16 (5-5-5),
// 24 and 32 bits per pixel are read, stored bottom-up or (negative height) top-down.
// Anything else, and any file shorter than its headers say, is refused.
#include <cstdint>
#include <optional>
#include <span>

#include "skins/picture.h"

namespace zt::skins {

std::optional<CPicture> decode_bitmap_file(std::span<const uint8_t> file);

}  // namespace zt::skins
