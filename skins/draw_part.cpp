#include <algorithm>

#include "skins/drawing.h"
#include "skins/opacity.h"

namespace zt::skins {

void draw_part(CPicture& destination, const CImageStrip& strip, int index, int32_t source_x, int32_t source_y,
               int32_t x, int32_t y) {
    std::optional<StripPart> part = strip.part(index);
    if (!part || !strip.picture()) return;
    const CPicture& source = *strip.picture();
    const int s = source.shift();
    const int32_t half = strip.half_width();
    // Offsets stay inside the part: a negative one would read the part above or the margin.
    source_x = std::max(source_x, 0);
    source_y = std::max(source_y, 0);
    const int64_t width = int64_t { half - source_x } << s;
    const int64_t height = int64_t { part->height - source_y } << s;
    if (width <= 0 || height <= 0) return;

    const int64_t i0 = std::max<int64_t>(0, -int64_t { x });
    const int64_t i1 = std::min<int64_t>(width, int64_t { destination.width() } - x);
    const int64_t j0 = std::max<int64_t>(0, -int64_t { y });
    const int64_t j1 = std::min<int64_t>(height, int64_t { destination.height() } - y);
    // The global opacity is read once: a fade sets it between frames, never during one.
    const int32_t global = global_opacity();
    for (int64_t j = j0; j < j1; ++j) {
        const int32_t row = part->start + source_y + static_cast<int32_t>(j >> s);
        const uint8_t* colours = source.pixel(0, row);
        const uint8_t* opacities = source.pixel(half, row);
        uint8_t* out = destination.pixel(static_cast<int32_t>(x + i0), static_cast<int32_t>(y + j));
        for (int64_t i = i0; i < i1; ++i, out += 3) {
            const ptrdiff_t column = (source_x + static_cast<int32_t>(i >> s)) * 3;
            int32_t opacity = opacities[column + 2];
            if (opacity == 0) continue;
            if (global < kOpaque) opacity = global <= 0 ? 0 : (opacity * global) >> 8;
            blend_pixel(out, colours + column, opacity);
        }
    }
}

}  // namespace zt::skins
