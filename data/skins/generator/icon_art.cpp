// Icons: the alarm bell and its badges, the map's city mark and the ringing window's pictures.
#include <QPainterPath>
#include <QRadialGradient>

#include "data/skins/generator/art_kit.h"
#include "data/skins/generator/skin_images.h"
#include "data/skins/generator/strip_image.h"

namespace zt::skinart {

namespace {

QImage built(const StripImage& strip)
{
    const auto image = strip.build();
    return image ? *image : QImage();
}

QImage one_part(const QImage& art, std::optional<QPoint> anchor = std::nullopt)
{
    StripImage strip;
    strip.add_part(art, anchor);
    return built(strip);
}

QImage bell_icon(int scale, const QColor& body, const QColor& edge, std::optional<QColor> halo)
{
    Canvas canvas(20, 21, scale);
    QPainter& p = canvas.painter();
    if (halo) {
        QRadialGradient g(QPointF(10, 10), 10);
        g.setColorAt(0.5, *halo);
        QColor clear = *halo;
        clear.setAlpha(0);
        g.setColorAt(1, clear);
        p.setPen(Qt::NoPen);
        p.setBrush(g);
        p.drawEllipse(QPointF(10, 10), 10, 10);
    }
    paint_bell(p, QRectF(2, 1, 16, 18), body, edge);
    return canvas.finish();
}

}  // namespace

QImage draw_alarm_icon(const SkinStyle& s, int scale)
{
    return one_part(bell_icon(scale, s.accent, s.accent.darker(200), std::nullopt));
}

QImage draw_alarm_icon_old(const SkinStyle& s, int scale)
{
    QColor body = s.accent;
    body.setAlpha(110);
    QColor edge = s.accent.darker(200);
    edge.setAlpha(140);
    return one_part(bell_icon(scale, body, edge, std::nullopt));
}

QImage draw_alarm_icon_new(const SkinStyle& s, int scale)
{
    QColor halo = s.accent.lighter(150);
    halo.setAlpha(200);
    return one_part(bell_icon(scale, s.accent.lighter(115), s.accent.darker(220), halo));
}

QImage draw_alarm_markers(const SkinStyle& s, int scale)
{
    StripImage strip;
    for (int glyph = 0; glyph < 3; ++glyph) {
        Canvas canvas(8, 8, scale);
        QPainter& p = canvas.painter();
        p.setPen(QPen(s.finish == Finish::Classic ? QColor(0, 0, 0) : QColor(0, 0, 0, 160), 0.8));
        if (glyph == 0) {  // afternoon: a dark moon disc
            p.setBrush(QColor(40, 50, 110));
            p.drawEllipse(QPointF(4, 4), 3.2, 3.2);
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(250, 236, 150));
            QPainterPath moon;
            moon.addEllipse(QPointF(4, 4), 2.2, 2.2);
            QPainterPath bite;
            bite.addEllipse(QPointF(5.2, 3.2), 2.0, 2.0);
            p.drawPath(moon.subtracted(bite));
        } else if (glyph == 1) {  // morning: a sun
            p.setBrush(QColor(255, 196, 40));
            p.drawEllipse(QPointF(4, 4), 3.2, 3.2);
        } else {  // disabled: a grey disc with a stroke
            p.setBrush(QColor(170, 170, 170));
            p.drawEllipse(QPointF(4, 4), 3.2, 3.2);
            p.setPen(QPen(QColor(60, 60, 60), 1.2, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(QPointF(2.2, 5.8), QPointF(5.8, 2.2));
        }
        strip.add_part(canvas.finish());
    }
    return built(strip);
}

QImage draw_ping(const SkinStyle& s, int scale)
{
    Canvas canvas(16, 17, scale);
    QPainter& p = canvas.painter();
    QColor ring = s.marker;
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 255, 255, 200), 3));
    p.drawEllipse(QPointF(8, 8), 6, 6);
    p.setPen(QPen(ring, 1.6));
    p.drawEllipse(QPointF(8, 8), 6, 6);
    p.setPen(QPen(QColor(255, 255, 255), 1));
    p.setBrush(ring);
    p.drawEllipse(QPointF(8, 8), 2.2, 2.2);
    return one_part(canvas.finish(), QPoint(8 * scale, 8 * scale));
}

QImage draw_ring_pictures(const SkinStyle& s, int scale)
{
    StripImage strip;
    {  // 0: alarm clock with bells
        Canvas canvas(48, 48, scale);
        QPainter& p = canvas.painter();
        p.setPen(QPen(s.accent.darker(180), 2.5, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(14, 38), QPointF(10, 45));
        p.drawLine(QPointF(34, 38), QPointF(38, 45));
        p.setBrush(s.accent);
        p.drawChord(QRectF(3, 2, 18, 18), 30 * 16, 180 * 16);
        p.drawChord(QRectF(27, 2, 18, 18), -30 * 16, 180 * 16);
        p.setBrush(s.face);
        p.setPen(QPen(s.accent.darker(150), 3));
        p.drawEllipse(QPointF(24, 26), 17, 17);
        p.setPen(QPen(s.hour_hand, 2.6, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(24, 26), QPointF(24, 15));
        p.drawLine(QPointF(24, 26), QPointF(32, 30));
        strip.add_part(canvas.finish());
    }
    {  // 1: hourglass
        Canvas canvas(48, 48, scale);
        QPainter& p = canvas.painter();
        QPainterPath glass;
        glass.moveTo(12, 6);
        glass.lineTo(36, 6);
        glass.cubicTo(36, 18, 26, 20, 26, 24);
        glass.cubicTo(26, 28, 36, 30, 36, 42);
        glass.lineTo(12, 42);
        glass.cubicTo(12, 30, 22, 28, 22, 24);
        glass.cubicTo(22, 20, 12, 18, 12, 6);
        p.setPen(QPen(s.accent.darker(170), 2));
        p.setBrush(QColor(235, 245, 255, 220));
        p.drawPath(glass);
        p.setPen(Qt::NoPen);
        p.setBrush(s.accent);
        QPainterPath sand;
        sand.moveTo(15, 41);
        sand.cubicTo(17, 34, 22, 32, 24, 32);
        sand.cubicTo(26, 32, 31, 34, 33, 41);
        sand.closeSubpath();
        p.drawPath(sand);
        p.drawRect(QRectF(23.2, 24, 1.6, 9));
        p.setBrush(s.button_edge);
        p.drawRoundedRect(QRectF(9, 3, 30, 4), 2, 2);
        p.drawRoundedRect(QRectF(9, 41, 30, 4), 2, 2);
        strip.add_part(canvas.finish());
    }
    return built(strip);
}

}  // namespace zt::skinart
