#include <algorithm>
#include <cstring>

#include "skins/drawing.h"
#include "skins/opacity.h"

namespace zt::skins {
namespace {

// The part of a source rectangle that lies inside the source picture.
bool clip_to_source(const CPicture& source, int32_t& sx, int32_t& sy, int32_t& width, int32_t& height, int32_t& x,
                    int32_t& y) {
    const int s = source.shift();
    if (sx < 0) {
        width += sx;
        x -= sx << s;
        sx = 0;
    }
    if (sy < 0) {
        height += sy;
        y -= sy << s;
        sy = 0;
    }
    width = std::min(width, source.width() - sx);
    height = std::min(height, source.height() - sy);
    return width > 0 && height > 0;
}

}  // namespace

void copy_with_opacity(CPicture& destination, const CPicture& source, int32_t source_x, int32_t source_y,
                       int32_t width, int32_t height, int32_t x, int32_t y) {
    const int32_t o = copy_opacity();
    if (o <= 0) return;
    if (!clip_to_source(source, source_x, source_y, width, height, x, y)) return;
    const int s = source.shift();
    const int32_t opacity = o < kOpaque ? apply_global_opacity(o) : -1;  // -1: plain copy
    const int64_t drawn_w = int64_t { width } << s, drawn_h = int64_t { height } << s;
    const int64_t i0 = std::max<int64_t>(0, -int64_t { x }), i1 = std::min<int64_t>(drawn_w, int64_t { destination.width() } - x);
    const int64_t j0 = std::max<int64_t>(0, -int64_t { y }), j1 = std::min<int64_t>(drawn_h, int64_t { destination.height() } - y);
    if (i0 >= i1) return;
    for (int64_t j = j0; j < j1; ++j) {
        const int32_t row = source_y + static_cast<int32_t>(j >> s);
        uint8_t* out = destination.pixel(static_cast<int32_t>(x + i0), static_cast<int32_t>(y + j));
        if (opacity < 0 && s == 0) {
            std::memcpy(out, source.pixel(source_x + static_cast<int32_t>(i0), row), static_cast<size_t>(i1 - i0) * 3);
            continue;
        }
        for (int64_t i = i0; i < i1; ++i, out += 3) {
            const uint8_t* colour = source.pixel(source_x + static_cast<int32_t>(i >> s), row);
            if (opacity < 0)
                std::memcpy(out, colour, 3);
            else
                blend_pixel(out, colour, opacity);
        }
    }
}

void copy_quarter_turn(CPicture& destination, const CPicture& source, Rect source_rect, int32_t x, int32_t y) {
    int32_t sx = source_rect.left, sy = source_rect.top, width = source_rect.width(), height = source_rect.height();
    // Clipping the source moves the drawn rectangle: columns cut on the left come off the
    // bottom, columns cut on the right off the top, rows cut at the top off the left.
    const int s = source.shift();
    if (sx < 0) {
        width += sx;
        sx = 0;
    }
    if (sy < 0) {
        height += sy;
        x -= sy << s;
        sy = 0;
    }
    const int32_t right_cut = width - std::min(width, source.width() - sx);
    width -= right_cut;
    height = std::min(height, source.height() - sy);
    if (width <= 0 || height <= 0) return;
    const int64_t top = int64_t { y } + (int64_t { right_cut } << s);
    const int64_t drawn_w = int64_t { height } << s, drawn_h = int64_t { width } << s;
    const int64_t i0 = std::max<int64_t>(0, -int64_t { x }), i1 = std::min<int64_t>(drawn_w, int64_t { destination.width() } - x);
    const int64_t j0 = std::max<int64_t>(0, -top), j1 = std::min<int64_t>(drawn_h, int64_t { destination.height() } - top);
    for (int64_t j = j0; j < j1; ++j) {
        const int32_t column = sx + width - 1 - static_cast<int32_t>(j >> s);
        uint8_t* out = destination.pixel(static_cast<int32_t>(x + i0), static_cast<int32_t>(top + j));
        for (int64_t i = i0; i < i1; ++i, out += 3)
            std::memcpy(out, source.pixel(column, sy + static_cast<int32_t>(i >> s)), 3);
    }
}

void brighten_rect(CPicture& picture, Rect rect, int32_t percent) {
    percent = std::max(percent, 0);
    const int32_t left = std::max(rect.left, 0), right = std::min(rect.right, picture.width());
    const int32_t top = std::max(rect.top, 0), bottom = std::min(rect.bottom, picture.height());
    for (int32_t y = top; y < bottom; ++y) {
        for (int32_t x = left; x < right; ++x) {
            uint8_t* p = picture.pixel(x, y);
            for (int i = 0; i < 3; ++i) p[i] = static_cast<uint8_t>(std::min<int64_t>(255, int64_t { p[i] } * percent / 100));
        }
    }
}

void fill_picture(CPicture& picture, Rgb colour) {
    for (int32_t y = 0; y < picture.height(); ++y)
        for (int32_t x = 0; x < picture.width(); ++x) picture.set_colour(x, y, colour);
}

}  // namespace zt::skins
