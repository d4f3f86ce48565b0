#include "skins/picture_qimage.h"

namespace zt::skins {

QImage to_qimage(const CPicture& picture) {
    QImage image(picture.width(), picture.height(), QImage::Format_RGB888);
    if (image.isNull()) return image;
    for (int32_t y = 0; y < picture.height(); ++y) {
        const uint8_t* source = picture.pixel(0, y);
        uchar* target = image.scanLine(y);
        for (int32_t x = 0; x < picture.width(); ++x) {
            target[x * 3] = source[x * 3 + 2];
            target[x * 3 + 1] = source[x * 3 + 1];
            target[x * 3 + 2] = source[x * 3];
        }
    }
    return image;
}

}  // namespace zt::skins
