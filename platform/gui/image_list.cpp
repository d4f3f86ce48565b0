#include "platform/gui/image_list.h"

#include <QImageReader>
#include <QPainter>

namespace zt::platform::gui {

std::optional<ImageList> ImageList::from_strip(const QImage& strip, int image_size, std::uint32_t colour_key,
                                               int /*growth: nothing is ever added*/) {
    if (strip.isNull() || image_size <= 0 || strip.width() < image_size || strip.height() < image_size) {
        return std::nullopt;
    }
    const QImage source = strip.convertToFormat(QImage::Format_ARGB32);
    const QRgb key = static_cast<QRgb>(colour_key & 0xFFFFFF);
    ImageList list;
    list.m_size = image_size;
    const int count = source.width() / image_size;
    list.m_images.reserve(static_cast<size_t>(count));
    for (int index = 0; index < count; ++index) {
        QImage image = source.copy(index * image_size, 0, image_size, image_size);
        for (int y = 0; y < image_size; ++y) {
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < image_size; ++x) {
                if ((line[x] & 0xFFFFFF) == key) line[x] = 0;
            }
        }
        list.m_images.push_back(std::move(image));
    }
    return list;
}

std::optional<ImageList> ImageList::from_file(const QString& path, int image_size, std::uint32_t colour_key,
                                              int growth) {
    QImageReader reader(path);
    const QImage strip = reader.read();
    if (strip.isNull()) return std::nullopt;
    return from_strip(strip, image_size, colour_key, growth);
}

QImage ImageList::image(int index) const {
    if (index < 0 || index >= count()) return {};
    return m_images[static_cast<size_t>(index)];
}

bool ImageList::draw(QPainter& painter, int index, const QPoint& top_left) const {
    if (index < 0 || index >= count()) return false;
    painter.drawImage(top_left, m_images[static_cast<size_t>(index)]);
    return true;
}

}  // namespace zt::platform::gui
