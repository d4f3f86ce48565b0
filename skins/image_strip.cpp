#include "skins/image_strip.h"

#include <algorithm>

namespace zt::skins {

CImageStrip::CImageStrip(CPicture picture) : m_picture(std::move(picture)) {
    const int32_t width = m_picture->width();
    const int32_t height = m_picture->height();
    if (width < 2 || width % 2 != 0 || height < 1) return;
    const int32_t half = width / 2;

    StripPart current;
    // No anchor marker yet in this part means (0, 0).
    Point pending_anchor;
    for (int32_t row = 0; row < height; ++row) {
        for (int32_t column = half; column < width; ++column) {
            if (m_picture->colour(column, row).grey()) continue;
            if (column != half) {
                pending_anchor = Point { column - half, row - current.start };
                continue;
            }
            current.height = row + 1 - current.start;
            current.anchor_x = pending_anchor.x;
            current.anchor_y = pending_anchor.y;
            pending_anchor = Point {};
            m_tallest = std::max(m_tallest, current.height);
            m_parts.push_back(current);
            current = StripPart { row + 1, 0, 0, 0 };
        }
    }
    if (m_parts.empty() || m_parts.back().start + m_parts.back().height < height) m_parts.push_back(current);
    m_valid = true;
}

std::optional<StripPart> CImageStrip::part(int index) const {
    if (!m_valid || index < 0 || static_cast<size_t>(index) >= m_parts.size()) return std::nullopt;
    return m_parts[static_cast<size_t>(index)];
}

std::optional<Rgb> CImageStrip::value_colour(int n) const {
    if (!m_picture || n < 1 || n >= half_width()) return std::nullopt;
    Rgb colour = m_picture->colour(half_width() + n, 0);
    if (colour.grey()) return std::nullopt;
    return colour;
}

std::optional<Point> CImageStrip::value(int n, bool high_resolution) const {
    std::optional<Rgb> colour = value_colour(n);
    if (!colour) return std::nullopt;
    int scale = high_resolution ? 2 : 1;
    return Point { colour->green * scale, colour->blue * scale };
}

}  // namespace zt::skins
