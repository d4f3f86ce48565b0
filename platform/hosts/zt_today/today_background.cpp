#include "platform/hosts/zt_today/today_background.h"

#include <QPainter>

#include <optional>
#include <string>

#include "platform/base/device_path.h"
#include "platform/gui/image_decoder.h"
#include "platform/registry/registry.h"

namespace zt::platform::today {
namespace {

using registry::Key;
using registry::Root;

QImage decoded_file(std::u16string_view device_path) {
    const auto path = map_device_path(device_path);
    if (!path) return {};
    const auto decoded = gui::decode_image_file(*path);
    return decoded ? gui::to_image(*decoded) : QImage {};
}

QImage chosen_picture() {
    const auto today = Key::open(Root::CurrentUser, kTodayKey);
    const std::u16string watermark = today ? today->get_string(u"Watermark").value_or(u"") : u"";
    if (!watermark.empty()) {
        QImage picture = decoded_file(u"\\Windows\\" + watermark);
        if (!picture.isNull()) return picture;
    }
    if (today && today->get_dword(u"UseStartImage").value_or(0) != 0) return {};
    return decoded_file(u"\\Windows\\tdywater.gif");
}

}  // namespace

QImage load_today_background(int width) {
    const QImage picture = chosen_picture();
    if (picture.isNull() || width <= 0) return {};
    return picture.scaledToWidth(width, Qt::SmoothTransformation).convertToFormat(QImage::Format_RGB32);
}

void paint_today_background(QPainter& painter, const QImage& picture, const QRect& area) {
    painter.fillRect(QRect(QPoint(0, 0), area.size()), Qt::white);
    if (!picture.isNull()) painter.drawImage(-area.topLeft(), picture);
}

bool copy_to_bottom_up(const QImage& image, uint8_t* bits, int32_t width, int32_t height, int32_t stride) {
    if (!bits || width <= 0 || height <= 0 || stride / 3 < width || image.width() != width || image.height() != height ||
        image.format() != QImage::Format_RGB32)
        return false;
    gui::write_bottom_up(image, bits, stride);
    return true;
}

}  // namespace zt::platform::today
