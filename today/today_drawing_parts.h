#pragma once
// What the item's drawing files share: the fonts, text in a rectangle, icon images on a picture,
// and the text column of the one-city views.
#include <QImage>

#include <string>
#include <string_view>

#include "platform/gui/text_painter.h"
#include "skins/picture.h"
#include "today/today_view.h"

namespace zt::today {

struct TodayFonts {
    platform::gui::FontRequest normal;
    platform::gui::FontRequest larger;  // 18 / 11 of the normal height
    platform::gui::FontRequest large;   // the big time
};
TodayFonts today_fonts(const TodayLook& look);

// The font at its height, or lower until the text fits the width on one line: the big time
// with the locale's AM or PM is wider than a narrow screen's clock area, and a time cut with
// "..." tells nothing. Never below the normal height of 8 pixels.
platform::gui::FontRequest font_fitting(platform::gui::FontRequest font, std::u16string_view text, int32_t width);

// One line, cut with "..." when too wide, vertically centred; `format` adds the horizontal
// alignment (text_format::kLeft, kCenter, kRight).
void draw_line_text(skins::CPicture& picture, std::u16string_view text, skins::Rect box,
                    const platform::gui::FontRequest& font, skins::Rgb colour, uint32_t format);

// An ARGB image over the picture with its opacity, its top-left at (x, y).
void draw_icon_image(skins::CPicture& picture, const QImage& image, int32_t x, int32_t y);

// Line 3 of the text column: the next alarm in the shown city's time, with " [+%d]" whole days
// when it is a day or more away; the none text without an alarm.
std::u16string next_alarm_text(const TodayContent& content, const std::optional<CitySlot>& city);

void draw_text_column(skins::CPicture& picture, const TodayLayout& layout, const TodayContent& content,
                      const TodayImages& images, const TodayLook& look);

}  // namespace zt::today
