#pragma once
// The device's ANSI code page, Windows-1252, to UTF-16. Every byte converts (the five bytes
// the code page leaves undefined map to the C1 control of the same value, as the handheld's
// converter does), so conversion never fails.
#include <span>
#include <string>

namespace zt::app {

std::u16string ansi_to_utf16(std::span<const uint8_t> bytes);

}  // namespace zt::app
