#include <algorithm>

#include "skins/drawing.h"
#include "skins/opacity.h"

namespace zt::skins {
namespace {

struct Placement {
    int64_t left, top, width, height;
};

std::optional<Placement> place(int64_t dw, int64_t dh, int64_t sw, int64_t sh, uint32_t fit, uint32_t align) {
    int64_t w = dw, h = dh;
    if (fit == scale_mode::kFit || fit == scale_mode::kFill) {
        // Source relatively taller than the destination: fit by height, fill by width.
        const bool taller = sw * dh <= sh * dw;
        if (taller == (fit == scale_mode::kFit)) {
            h = dh;
            w = std::max<int64_t>(1, sw * dh / sh);
        } else {
            w = dw;
            h = std::max<int64_t>(1, sh * dw / sw);
        }
    } else if (fit != scale_mode::kStretch) {
        return std::nullopt;
    }
    int64_t left = 0, top = 0;
    switch (align) {
    case 0: left = (dw - w) / 2, top = (dh - h) / 2; break;
    case 1: break;
    case 2: left = dw - w, top = dh - h; break;
    default: return std::nullopt;
    }
    return Placement { left, top, w, h };
}

// Edge pixels are repeated for the neighbours past the last row or column, so a scaled
// picture keeps its borders instead of fading them to black.
void sample(const PixelView& source, int32_t colour_width, bool transparent, int64_t u, int64_t v, uint8_t out[3],
            int32_t& opacity) {
    const int32_t fx = static_cast<int32_t>(u & 127), fy = static_cast<int32_t>(v & 127);
    const int32_t x0 = static_cast<int32_t>(std::min<int64_t>(u >> 7, colour_width - 1));
    const int32_t y0 = static_cast<int32_t>(std::min<int64_t>(v >> 7, source.height - 1));
    const int32_t x1 = std::min(x0 + 1, colour_width - 1), y1 = std::min(y0 + 1, source.height - 1);
    const int32_t weights[4] = { (128 - fx) * (128 - fy), fx * (128 - fy), (128 - fx) * fy, fx * fy };
    const uint8_t* p[4] = { source.pixel(x0, y0), source.pixel(x1, y0), source.pixel(x0, y1), source.pixel(x1, y1) };
    for (int c = 0; c < 3; ++c) {
        int32_t sum = 0;
        for (int n = 0; n < 4; ++n) sum += p[n][c] * weights[n];
        out[c] = static_cast<uint8_t>(sum >> 14);
    }
    opacity = 255;
    if (transparent) {
        const int32_t shift = colour_width * 3;
        int32_t sum = 0;
        for (int n = 0; n < 4; ++n) sum += p[n][shift + 2] * weights[n];
        opacity = sum >> 14;
    }
}

}  // namespace

bool scale_picture(const PixelView& destination, const PixelView& source, uint32_t mode) {
    if (!destination.bits || !source.bits || destination.width <= 0 || destination.height <= 0 || source.height <= 0)
        return false;
    const bool transparent = (mode & scale_mode::kTransparentSource) != 0;
    const int32_t colour_width = transparent ? source.width / 2 : source.width;
    if (colour_width <= 0) return false;
    std::optional<Placement> at = place(destination.width, destination.height, colour_width, source.height, mode & 0xFFu,
                                        (mode >> 8) & 0xFFu);
    if (!at) return false;
    // Steps in source pixels per destination pixel, 7 fractional bits.
    const int64_t step_x = (int64_t { colour_width } << 7) / at->width;
    const int64_t step_y = (int64_t { source.height } << 7) / at->height;
    const int64_t x0 = std::max<int64_t>(0, at->left), x1 = std::min<int64_t>(destination.width, at->left + at->width);
    const int64_t y0 = std::max<int64_t>(0, at->top), y1 = std::min<int64_t>(destination.height, at->top + at->height);
    for (int64_t y = y0; y < y1; ++y) {
        const int64_t v = (y - at->top) * step_y;
        uint8_t* out = destination.pixel(static_cast<int32_t>(x0), static_cast<int32_t>(y));
        for (int64_t x = x0; x < x1; ++x, out += 3) {
            uint8_t colour[3];
            int32_t opacity = 255;
            sample(source, colour_width, transparent, (x - at->left) * step_x, v, colour, opacity);
            if (transparent)
                blend_pixel(out, colour, apply_global_opacity(opacity));
            else
                std::copy(colour, colour + 3, out);
        }
    }
    return true;
}

}  // namespace zt::skins
