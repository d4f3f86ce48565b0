#include "app/dialogs/program_images.h"

#include <QPainter>
#include <QPainterPath>

namespace zt::app {

namespace {

std::optional<zt::platform::gui::ImageList>& list_slot() {
    static std::optional<zt::platform::gui::ImageList> list;
    return list;
}

// Each icon is drawn in a 16-unit box scaled to the image size.
void draw_bell(QPainter& painter, const QColor& colour) {
    QPainterPath bell;
    bell.moveTo(3, 12);
    bell.cubicTo(4, 11, 4, 9, 4, 7);
    bell.cubicTo(4, 4, 6, 2.5, 8, 2.5);
    bell.cubicTo(10, 2.5, 12, 4, 12, 7);
    bell.cubicTo(12, 9, 12, 11, 13, 12);
    bell.closeSubpath();
    painter.setPen(QPen(Qt::black, 0.8));
    painter.setBrush(colour);
    painter.drawPath(bell);
    painter.drawEllipse(QRectF(7, 12, 2, 2));
}

void draw_timer(QPainter& painter) {
    painter.setPen(QPen(Qt::black, 0.8));
    painter.setBrush(QColor(0xE0, 0xE0, 0xE0));
    painter.drawEllipse(QRectF(2.5, 3.5, 11, 11));
    painter.drawRect(QRectF(6.5, 1, 3, 2));
    painter.setPen(QPen(QColor(0xC0, 0x00, 0x00), 1.2));
    painter.drawLine(QPointF(8, 9), QPointF(8, 5.5));
    painter.drawLine(QPointF(8, 9), QPointF(10.5, 10.5));
}

void draw_globe(QPainter& painter) {
    painter.setPen(QPen(QColor(0x00, 0x40, 0x80), 0.8));
    painter.setBrush(QColor(0x40, 0x90, 0xE0));
    painter.drawEllipse(QRectF(2, 2, 12, 12));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(QRectF(5, 2, 6, 12));
    painter.drawLine(QPointF(2, 8), QPointF(14, 8));
}

QImage draw_strip(int size) {
    QImage strip(size * kProgramImageCount, size, QImage::Format_RGB32);
    strip.fill(QColor(0xFF, 0x00, 0xFF));
    QPainter painter(&strip);
    // Antialiasing would blend edges into the key colour and leave a magenta fringe.
    painter.setRenderHint(QPainter::Antialiasing, false);
    const double scale = size / 16.0;
    for (int index = 0; index < kProgramImageCount; ++index) {
        painter.save();
        painter.translate(index * size, 0);
        painter.scale(scale, scale);
        switch (static_cast<ProgramImage>(index)) {
        case ProgramImage::Alarm: draw_bell(painter, QColor(0xF0, 0xC0, 0x20)); break;
        case ProgramImage::OneTimeAlarm: draw_bell(painter, QColor(0x40, 0xC0, 0x40)); break;
        case ProgramImage::Timer: draw_timer(painter); break;
        case ProgramImage::City: draw_globe(painter); break;
        }
        painter.restore();
    }
    return strip;
}

}  // namespace

QImage program_bitmap_resource(int resource_id) {
    switch (resource_id) {
    case kSmallImagesResource: return draw_strip(16);
    case kLargeImagesResource: return draw_strip(32);
    default: return {};
    }
}

bool create_shared_image_list(bool high_resolution) {
    const int resource = high_resolution ? kLargeImagesResource : kSmallImagesResource;
    const int size = high_resolution ? 32 : 16;
    list_slot() = zt::platform::gui::ImageList::from_strip(program_bitmap_resource(resource), size,
                                                           zt::platform::gui::kMagentaColourKey, 1);
    return list_slot().has_value();
}

const zt::platform::gui::ImageList* shared_image_list() { return list_slot() ? &*list_slot() : nullptr; }

}  // namespace zt::app
