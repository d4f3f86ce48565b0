#include "today/item_icons.h"

#include <QPainter>

namespace zt::today {
namespace {

// The clock is drawn in a 16-unit box scaled to the image; the tab icon is the same clock in
// the tab strip's flat colours.
void draw_clock(QPainter& painter, const QColor& rim, const QColor& face, const QColor& hands) {
    painter.setPen(QPen(rim, 1.2));
    painter.setBrush(face);
    painter.drawEllipse(QRectF(1.5, 1.5, 13, 13));
    painter.setPen(QPen(hands, 1.4, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(8, 8), QPointF(8, 4));
    painter.drawLine(QPointF(8, 8), QPointF(11, 9.5));
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0xC0, 0x20, 0x20));
    painter.drawEllipse(QRectF(7.2, 7.2, 1.6, 1.6));
}

}  // namespace

QImage load_icon_resource(int resource_id, int width, int height) {
    if (width < 1 || height < 1) return {};
    const bool tab = resource_id == kTabIconResource;
    if (!tab && resource_id != kItemIconResource && resource_id != kLargeItemIconResource &&
        resource_id != kAppletIconResource)
        return {};
    QImage icon(width, height, QImage::Format_ARGB32);
    icon.fill(Qt::transparent);
    QPainter painter(&icon);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.scale(width / 16.0, height / 16.0);
    if (tab)
        draw_clock(painter, QColor(0x30, 0x30, 0x30), QColor(0xF0, 0xF0, 0xF0), QColor(0x30, 0x30, 0x30));
    else
        draw_clock(painter, QColor(0x20, 0x40, 0x80), QColor(0xFF, 0xFF, 0xFF), QColor(0x10, 0x10, 0x10));
    return icon;
}

QImage item_icon(bool high_resolution) {
    return high_resolution ? load_icon_resource(kLargeItemIconResource, 32, 32) : load_icon_resource(kItemIconResource, 16, 16);
}

QImage tab_icon(bool high_resolution) {
    return high_resolution ? load_icon_resource(kTabIconResource, 24, 22) : load_icon_resource(kTabIconResource, 12, 11);
}

QImage applet_icon(bool high_resolution) {
    const int side = high_resolution ? 32 : 16;
    return load_icon_resource(kAppletIconResource, side, side);
}

}  // namespace zt::today
