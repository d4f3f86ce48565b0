#pragma once
// An image list: square images of one size cut from a horizontal strip, with a colour key that
// becomes transparent (magenta 0xFF00FF by default). The handheld's list can grow; nothing here
// adds images, so the growth it is made with is accepted and ignored.
#include <QImage>

#include <cstdint>
#include <optional>
#include <vector>

class QPainter;
class QPoint;

namespace zt::platform::gui {

inline constexpr std::uint32_t kMagentaColourKey = 0xFF00FF;

class ImageList {
public:
    // nullopt when the strip is null or smaller than one image, or the size is not positive.
    // Columns beyond the last whole image are ignored; rows below `image_size` too.
    static std::optional<ImageList> from_strip(const QImage& strip, int image_size,
                                               std::uint32_t colour_key = kMagentaColourKey, int growth = 1);
    // The strip read from a host file (any format the device decodes).
    static std::optional<ImageList> from_file(const QString& path, int image_size,
                                              std::uint32_t colour_key = kMagentaColourKey, int growth = 1);

    int count() const { return static_cast<int>(m_images.size()); }
    int image_size() const { return m_size; }
    // ARGB32 with the key colour transparent; a null image for an index out of range.
    QImage image(int index) const;
    // False for an index out of range.
    bool draw(QPainter& painter, int index, const QPoint& top_left) const;

private:
    int m_size { 0 };
    std::vector<QImage> m_images;
};

}  // namespace zt::platform::gui
