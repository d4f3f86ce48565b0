#pragma once
// The device's ANSI code page, Windows-1252, to UTF-16 and back. Every byte converts (the five bytes
// the code page leaves undefined map to the C1 control of the same value, as the handheld's
// converter does), so conversion never fails.
#include <span>
#include <string>
#include <string_view>

namespace zt::app {

std::u16string ansi_to_utf16(std::span<const uint8_t> bytes);
// The other way: a character the code page lacks becomes "?", as the handheld's converter
// writes its default character.
std::string utf16_to_ansi(std::u16string_view text);

}  // namespace zt::app
