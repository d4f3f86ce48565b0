#include "today/today_clock_face.h"

#include "skins/clocks/analog_clock.h"
#include "skins/drawing.h"

namespace zt::today {

int32_t today_clock_width(const TodayImages& images) {
    if (!images.clock.valid()) return 0;
    return images.clock.half_width() << images.clock.shift();
}

int32_t today_clock_height(const TodayImages& images) {
    auto part = images.clock.part(0);
    if (!images.clock.valid() || !part) return 0;
    return part->height << images.clock.shift();
}

void draw_today_clock(skins::CPicture& picture, const TodayImages& images, skins::Point top_left,
                      const platform::SYSTEMTIME& time) {
    auto part = images.clock.part(0);
    if (!part || !images.hour_hand.valid() || !images.minute_hand.valid()) return;
    const int shift = images.clock.shift();
    skins::draw_part(picture, images.clock, 0, 0, 0, top_left.x, top_left.y);
    const skins::Point anchor { top_left.x + (part->anchor_x << shift), top_left.y + (part->anchor_y << shift) };
    skins::draw_rotated(picture, images.hour_hand, anchor.x, anchor.y,
                        skins::hand_rotation(today_hour_angle(time.wHour, time.wMinute)));
    skins::draw_rotated(picture, images.minute_hand, anchor.x, anchor.y,
                        skins::hand_rotation(today_minute_angle(time.wMinute, time.wSecond)));
}

void draw_today_clock_at(skins::CPicture& picture, const TodayImages& images, skins::Point centre,
                         const platform::SYSTEMTIME& time) {
    draw_today_clock(picture, images,
                     { centre.x - today_clock_width(images) / 2, centre.y - today_clock_height(images) / 2 }, time);
}

}  // namespace zt::today
