#include "app/frame/timer_layouts.h"

#include <algorithm>

namespace zt::app {
namespace {

using skins::Point;
using skins::Rect;

std::optional<Rect> value_rect(const skins::CImageStrip* image, int first, bool high) {
    if (!image) return std::nullopt;
    const auto top_left = image->value(first, high);
    const auto bottom_right = image->value(first + 1, high);
    if (!top_left || !bottom_right || bottom_right->x <= top_left->x || bottom_right->y <= top_left->y) return std::nullopt;
    return Rect { top_left->x, top_left->y, bottom_right->x, bottom_right->y };
}

// A rectangle given in hundredths of a size.
Rect share(Point size, int left, int top, int right, int bottom) {
    return { size.x * left / 100, size.y * top / 100, size.x * right / 100, size.y * bottom / 100 };
}

// The image centred in the area (or the area itself without an image).
Point origin_of(Point image, Point area) {
    return { std::max(0, (area.x - image.x) / 2), std::max(0, (area.y - image.y) / 2) };
}

}  // namespace

Point drawn_size(const skins::CImageStrip* strip) {
    if (!strip || strip->part_count() == 0) return {};
    const int s = strip->shift();
    return { strip->half_width() << s, strip->part(0)->height << s };
}

Rect offset(const Rect& r, Point by) { return { r.left + by.x, r.top + by.y, r.right + by.x, r.bottom + by.y }; }

bool inside(const Rect& r, Point p) { return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom; }

StopwatchLayout stopwatch_layout(const skins::CImageStrip* image, Point area, bool high) {
    const Point image_size = drawn_size(image);
    const Point size = image_size.x > 0 ? image_size : area;
    StopwatchLayout l;
    l.origin = origin_of(image_size, area);
    const auto place = [&](int first, Rect fallback) { return offset(value_rect(image, first, high).value_or(fallback), l.origin); };
    l.digits = place(1, share(size, 10, 6, 90, 25));
    l.laps = place(3, share(size, 5, 40, 95, 78));
    l.start = place(5, share(size, 5, 82, 32, 97));
    l.lap = place(7, share(size, 36, 82, 64, 97));
    l.save = place(9, share(size, 68, 82, 95, 97));
    l.millis = place(11, share(size, 66, 27, 90, 37));
    return l;
}

TimerRowsLayout timer_rows_layout(const skins::CImageStrip* image, Point area, bool high) {
    const Point image_size = drawn_size(image);
    const Point size = image_size.x > 0 ? image_size : area;
    TimerRowsLayout l;
    l.origin = origin_of(image_size, area);
    const Point row_size { size.x, size.y / 5 };
    const auto first = image ? image->value(1, high) : std::nullopt;
    const auto row = image ? image->value(2, high) : std::nullopt;
    const auto step = image ? image->value(3, high) : std::nullopt;
    const bool from_skin = first && row && step && row->x > 0 && row->y > 0;
    l.first_row = offset(from_skin ? Rect { first->x, first->y, first->x + row->x, first->y + row->y }
                                   : Rect { 0, 0, row_size.x, row_size.y },
                         l.origin);
    l.step = from_skin ? *step : Point { 0, row_size.y };
    const Point in_row { l.first_row.width(), l.first_row.height() };
    l.digits = value_rect(image, 4, high).value_or(share(in_row, 17, 20, 65, 80));
    l.start = value_rect(image, 6, high).value_or(share(in_row, 69, 10, 82, 90));
    l.reset = value_rect(image, 8, high).value_or(share(in_row, 85, 10, 98, 90));
    l.edit = value_rect(image, 10, high).value_or(share(in_row, 2, 10, 15, 90));
    return l;
}

}  // namespace zt::app
