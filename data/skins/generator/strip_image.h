#pragma once
// Builds a skin image in the skins' own convention from ARGB art: colours in the left half,
// opacity (as grey) in the right half, non-grey marker pixels for part ends and anchors, and
// value pixels in the top row of the right half. The reader is skins/image_strip.h.
#include <QImage>
#include <QPoint>
#include <optional>
#include <vector>

namespace zt::skinart {

class StripImage {
public:
    // A part: its art and, when it has one, its anchor (x >= 1; y inside the part, not its
    // last row, because a marker on the last row would belong to the next part).
    void add_part(const QImage& art, std::optional<QPoint> anchor = std::nullopt);
    // Value pixel n (1-based): a position in 240-wide screen pixels, 0..255 each way.
    void set_value(int n, QPoint value);

    // The finished image, or nullopt when an anchor cannot be encoded.
    std::optional<QImage> build() const;

private:
    struct Part {
        QImage art;
        std::optional<QPoint> anchor;
    };
    std::vector<Part> m_parts;
    std::vector<std::optional<QRgb>> m_values;  // index n - 1: (0, x, y)
};

// A plain picture without opacity (backgrounds, maps): flattened onto a colour.
QImage flatten(const QImage& art, QRgb backdrop);

}  // namespace zt::skinart
