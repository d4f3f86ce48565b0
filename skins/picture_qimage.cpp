#include "skins/picture_qimage.h"

namespace zt::skins {

QImage to_qimage(const CPicture& picture) {
    QImage image;
    to_qimage(picture, image);
    return image;
}

void to_qimage(const CPicture& picture, QImage& image) {
    // 32-bit pixels are what a widget's backing store holds: painting such an image is a plain
    // copy, where a 24-bit one is converted on every paint (on Qt's worker threads when large).
    if (image.width() != picture.width() || image.height() != picture.height() || image.format() != QImage::Format_RGB32)
        image = QImage(picture.width(), picture.height(), QImage::Format_RGB32);
    if (image.isNull()) return;
    for (int32_t y = 0; y < picture.height(); ++y) {
        const uint8_t* source = picture.pixel(0, y);
        auto* target = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int32_t x = 0; x < picture.width(); ++x)
            target[x] = qRgb(source[x * 3 + 2], source[x * 3 + 1], source[x * 3]);
    }
}

}  // namespace zt::skins
