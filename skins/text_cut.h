#pragma once
// Text on one line, cut with "..." when it is wider than its rectangle.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "platform/gui/text_painter.h"
#include "skins/picture.h"

namespace zt::skins {

using MeasureText = std::function<int32_t(std::u16string_view)>;

// The text unchanged when it fits; else the longest head that fits with "..." after it, with
// spaces, tabs and line breaks that would stand before the "..." removed. A head never ends
// in half a surrogate pair.
std::u16string cut_text_to_width(std::u16string_view text, int32_t width, const MeasureText& measure);

struct TextStyle {
    platform::gui::FontRequest font;
    Rgb colour;
    uint32_t format { 0 };  // platform::gui::text_format flags; single line is always added
};

// Draws (or with draw false only measures) the cut text in the rectangle; returns the width
// of what was (or would be) drawn, 0 when text cannot be drawn on this device.
int32_t draw_text_cut_to_width(CPicture& picture, std::u16string_view text, Rect rect, const TextStyle& style, bool draw);

}  // namespace zt::skins
