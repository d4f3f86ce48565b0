#include <algorithm>
#include <array>

#include "skins/drawing.h"
#include "skins/opacity.h"

namespace zt::skins {
namespace {

constexpr std::array<int32_t, 91> kSine = {
    0,   2,   4,   7,   9,   11,  13,  16,  18,  20,  22,  24,  27,  29,  31,  33,  35,  37,  40,  42,  44,  46,  48,
    50,  52,  54,  56,  58,  60,  62,  64,  66,  68,  70,  72,  73,  75,  77,  79,  81,  82,  84,  86,  87,  89,  91,
    92,  94,  95,  97,  98,  99,  101, 102, 104, 105, 106, 107, 109, 110, 111, 112, 113, 114, 115, 116, 117, 118, 119,
    119, 120, 121, 122, 122, 123, 124, 124, 125, 125, 126, 126, 126, 127, 127, 127, 128, 128, 128, 128, 128, 128,
};

struct Turn {
    int32_t sine;
    int32_t cosine;
};

Turn turn_for(int32_t degrees) {
    if (degrees < 0) degrees = 0;
    const int32_t quadrant = (degrees / 90) % 4;
    const int32_t k = degrees % 90;
    const int32_t s = kSine[static_cast<size_t>(k)];
    const int32_t c = kSine[static_cast<size_t>(90 - k)];
    switch (quadrant) {
    case 0: return { s, c };
    case 1: return { c, -s };
    case 2: return { -s, -c };
    default: return { -c, s };
    }
}

// Colour and opacity of one source pixel of the part; outside the part everything is 0.
struct Sample {
    int32_t blue { 0 }, green { 0 }, red { 0 }, opacity { 0 };
};

class PartSampler {
public:
    PartSampler(const CPicture& picture, int32_t half, const StripPart& part)
        : m_picture(picture), m_half(half), m_part(part) {}

    // (u, v) in part coordinates with 7 fractional bits.
    Sample bilinear(int64_t u, int64_t v) const {
        const int64_t iu = u >> 7, iv = v >> 7;
        const int32_t fx = static_cast<int32_t>(u & 127), fy = static_cast<int32_t>(v & 127);
        const int32_t weights[4] = { (128 - fx) * (128 - fy), fx * (128 - fy), (128 - fx) * fy, fx * fy };
        const int64_t xs[4] = { iu, iu + 1, iu, iu + 1 };
        const int64_t ys[4] = { iv, iv, iv + 1, iv + 1 };
        Sample sum;
        for (int n = 0; n < 4; ++n) {
            if (weights[n] == 0 || xs[n] < 0 || ys[n] < 0 || xs[n] >= m_half || ys[n] >= m_part.height) continue;
            const int32_t column = static_cast<int32_t>(xs[n]);
            const int32_t row = m_part.start + static_cast<int32_t>(ys[n]);
            const uint8_t* colour = m_picture.pixel(column, row);
            sum.blue += colour[0] * weights[n];
            sum.green += colour[1] * weights[n];
            sum.red += colour[2] * weights[n];
            sum.opacity += m_picture.pixel(column + m_half, row)[2] * weights[n];
        }
        return { sum.blue >> 14, sum.green >> 14, sum.red >> 14, sum.opacity >> 14 };
    }

private:
    const CPicture& m_picture;
    int32_t m_half;
    StripPart m_part;
};

}  // namespace

int32_t sine_table(int32_t degrees) {
    if (degrees < 0 || degrees > 90) return 0;
    return kSine[static_cast<size_t>(degrees)];
}

void draw_rotated(CPicture& destination, const CImageStrip& strip, int32_t x, int32_t y, int32_t degrees) {
    std::optional<StripPart> part = strip.part(0);
    if (!part || !strip.picture() || part->height <= 0) return;
    const CPicture& source = *strip.picture();
    const int s = source.shift();
    const int32_t half = strip.half_width();
    const Turn turn = turn_for(degrees);

    // The part at drawn size, relative to its anchor.
    const int64_t anchor_x = int64_t { part->anchor_x } << s, anchor_y = int64_t { part->anchor_y } << s;
    const int64_t width = int64_t { half } << s, height = int64_t { part->height } << s;
    int64_t min_x = INT64_MAX, max_x = INT64_MIN, min_y = INT64_MAX, max_y = INT64_MIN;
    for (int64_t cx : { -anchor_x, width - anchor_x }) {
        for (int64_t cy : { -anchor_y, height - anchor_y }) {
            const int64_t rx = turn.cosine * cx - turn.sine * cy;
            const int64_t ry = turn.sine * cx + turn.cosine * cy;
            min_x = std::min(min_x, rx >> 7);
            max_x = std::max(max_x, (rx + 127) >> 7);
            min_y = std::min(min_y, ry >> 7);
            max_y = std::max(max_y, (ry + 127) >> 7);
        }
    }
    const int64_t left = std::max<int64_t>(0, x + min_x - 1), right = std::min<int64_t>(destination.width(), x + max_x + 1);
    const int64_t top = std::max<int64_t>(0, y + min_y - 1), bottom = std::min<int64_t>(destination.height(), y + max_y + 1);

    const PartSampler sampler(source, half, *part);
    for (int64_t py = top; py < bottom; ++py) {
        const int64_t dy = py - y;
        uint8_t* out = destination.pixel(static_cast<int32_t>(left), static_cast<int32_t>(py));
        for (int64_t px = left; px < right; ++px, out += 3) {
            const int64_t dx = px - x;
            // Back into the part: the transpose of the forward turn, 7 fractional bits.
            const int64_t u = (turn.cosine * dx + turn.sine * dy + (anchor_x << 7)) >> s;
            const int64_t v = (-turn.sine * dx + turn.cosine * dy + (anchor_y << 7)) >> s;
            const Sample sample = sampler.bilinear(u, v);
            if (sample.opacity == 0) continue;
            const uint8_t colour[3] = { static_cast<uint8_t>(sample.blue), static_cast<uint8_t>(sample.green),
                                        static_cast<uint8_t>(sample.red) };
            blend_pixel(out, colour, apply_global_opacity(sample.opacity));
        }
    }
}

}  // namespace zt::skins
