#pragma once
// CImageStrip: a transparent skin image (colours left, opacity in the red byte of the right
// half) whose left half stacks parts vertically. Non-grey pixels of the right half are
// markers, not opacities: in its first column one closes the current part with its row; in a
// later column j it sets the part's anchor to (j, row - part start), the last one winning.
// The top row of the right half also carries value pixels: pixel w + n is the n-th value
// (green = x, blue = y); a grey pixel there means the value is absent.
//
// A strip whose last row has no boundary marker ends with a part of height 0; a picture of
// odd width, width below 2 or no rows makes an invalid strip with no parts.
#include <cstdint>
#include <optional>
#include <vector>

#include "skins/picture.h"

namespace zt::skins {

struct StripPart {
    int32_t start { 0 };
    int32_t height { 0 };
    int32_t anchor_x { 0 };
    int32_t anchor_y { 0 };
    bool operator==(const StripPart&) const = default;
};

class CImageStrip {
public:
    CImageStrip() = default;
    explicit CImageStrip(CPicture picture);

    bool valid() const { return m_valid; }
    const CPicture* picture() const { return m_picture ? &*m_picture : nullptr; }
    // Width of the drawn half, in the picture's own pixels (not doubled by the scale flag).
    int32_t half_width() const { return m_picture ? m_picture->width() / 2 : 0; }
    int32_t tallest_part() const { return m_tallest; }
    int shift() const { return m_picture ? m_picture->shift() : 0; }

    size_t part_count() const { return m_parts.size(); }
    std::optional<StripPart> part(int index) const;
    const std::vector<StripPart>& parts() const { return m_parts; }

    // The n-th value (n >= 1) as placed on the screen: doubled on a high-resolution screen.
    // nullopt when the pixel is grey or outside the right half.
    std::optional<Point> value(int n, bool high_resolution) const;
    // The raw colour of the n-th value pixel, for values that are colours; nullopt when grey.
    std::optional<Rgb> value_colour(int n) const;

private:
    std::optional<CPicture> m_picture;
    bool m_valid { false };
    std::vector<StripPart> m_parts;
    int32_t m_tallest { 0 };
};

}  // namespace zt::skins
