#pragma once
// The Today skin's small analog clock: part 0 of "apl_Clock.png" with the hour and minute hands
// turned about its anchor in even degrees, no second hand. The item's views and the tab clock
// draw it.
#include "platform/base/system_time.h"
#include "skins/picture.h"
#include "today/today_view.h"

namespace zt::today {

// At drawn size (doubled for a scaled image); 0 without a clock image.
int32_t today_clock_width(const TodayImages& images);
int32_t today_clock_height(const TodayImages& images);

// Draws the clock with its top-left corner at `top_left`; nothing without the images.
void draw_today_clock(skins::CPicture& picture, const TodayImages& images, skins::Point top_left,
                      const platform::SYSTEMTIME& time);
// The same centred on `centre`.
void draw_today_clock_at(skins::CPicture& picture, const TodayImages& images, skins::Point centre,
                         const platform::SYSTEMTIME& time);

}  // namespace zt::today
