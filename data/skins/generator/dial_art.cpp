// Dials and hands. Hands are drawn pointing to 3 o'clock with the pivot as the strip anchor;
// the screens rotate them.
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>
#include <numbers>

#include "data/skins/generator/art_kit.h"
#include "data/skins/generator/skin_images.h"
#include "data/skins/generator/skin_layout.h"
#include "data/skins/generator/strip_image.h"

namespace zt::skinart {

namespace {

QImage built(const StripImage& strip)
{
    const auto image = strip.build();
    return image ? *image : QImage();
}

// A tapered hand from the pivot (x = tail) to the tip, with a counterweight tail.
QImage paint_hand(const SkinStyle& s, int scale, double length, double tail, double width, const QColor& colour,
                  bool with_hub)
{
    const int w = static_cast<int>(std::ceil(tail + length + 2));
    const int h = static_cast<int>(std::ceil(width)) | 1;  // odd: the pivot row is the middle
    const double mid = h / 2.0;
    Canvas canvas(w, h + 1, scale);  // one spare row keeps the anchor off the last row
    QPainter& p = canvas.painter();
    QPainterPath path;
    path.moveTo(1, mid - width * 0.28);
    path.lineTo(tail, mid - width / 2);
    path.lineTo(tail + length, mid - 0.6);
    path.lineTo(tail + length + 1, mid);
    path.lineTo(tail + length, mid + 0.6);
    path.lineTo(tail, mid + width / 2);
    path.lineTo(1, mid + width * 0.28);
    path.closeSubpath();
    p.setPen(s.finish == Finish::Classic ? QPen(Qt::black, 0.6) : QPen(colour.darker(140), 0.5));
    p.setBrush(colour);
    p.drawPath(path);
    if (with_hub) {
        p.setPen(Qt::NoPen);
        p.setBrush(s.hub);
        p.drawEllipse(QPointF(tail, mid), width * 0.9, width * 0.9);
    }
    StripImage strip;
    strip.add_part(canvas.finish(), QPoint(static_cast<int>(tail) * scale, static_cast<int>(mid * scale)));
    return built(strip);
}

}  // namespace

// A dial of diameter d centred in a d x d canvas: face, rim, minute and hour ticks, and the
// twelve numerals when there is room for them.
void paint_dial(QPainter& p, const SkinStyle& s, double d, bool numerals)
{
    const QPointF c(d / 2, d / 2);
    const double r = d / 2 - 1;
    // Rim.
    QRadialGradient rim(c, r);
    rim.setColorAt(0.90, s.rim.lighter(s.finish == Finish::Brushed ? 140 : 115));
    rim.setColorAt(1.0, s.rim.darker(130));
    p.setPen(Qt::NoPen);
    p.setBrush(rim);
    p.drawEllipse(c, r, r);
    // Face.
    const double face_r = r * (s.finish == Finish::Classic ? 0.95 : 0.92);
    QRadialGradient face(c - QPointF(0, face_r * 0.3), face_r * 1.3);
    face.setColorAt(0, s.face.lighter(104));
    face.setColorAt(1, s.face_edge);
    p.setBrush(face);
    p.drawEllipse(c, face_r, face_r);
    // Ticks.
    for (int i = 0; i < 60; ++i) {
        const double a = i * std::numbers::pi / 30;
        const bool hour = i % 5 == 0;
        const double outer = face_r * 0.94;
        const double inner = face_r * (hour ? (i % 15 == 0 ? 0.78 : 0.82) : 0.89);
        const double width = d * (hour ? 0.022 : 0.008);
        p.setPen(QPen(s.tick, width, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(c + QPointF(std::sin(a) * inner, -std::cos(a) * inner),
                   c + QPointF(std::sin(a) * outer, -std::cos(a) * outer));
    }
    if (!numerals)
        return;
    for (int h = 1; h <= 12; ++h) {
        const double a = h * std::numbers::pi / 6;
        const double rr = face_r * 0.66;
        const QPointF at = c + QPointF(std::sin(a) * rr, -std::cos(a) * rr);
        const double size = d * 0.095;
        paint_text(p, QRectF(at.x() - size, at.y() - size * 0.6, size * 2, size * 1.2), QString::number(h), size,
                   s.numeral, s.finish != Finish::Flat || h % 3 == 0);
    }
}

QImage draw_clock(const SkinStyle& s, int scale)
{
    const int d = layout::kDial;
    Canvas canvas(d, d + 1, scale);
    paint_dial(canvas.painter(), s, d, true);
    StripImage strip;
    strip.add_part(canvas.finish(), QPoint(d / 2 * scale, d / 2 * scale));
    // Values 1-4 stay grey: the dial is centred in whatever clock area the screen has.
    strip.set_value(5, QPoint(layout::kAlarmRadius, 0));
    return built(strip);
}

QImage draw_hour_hand(const SkinStyle& s, int scale)
{
    return paint_hand(s, scale, 46, 11, 9, s.hour_hand, false);
}

QImage draw_minute_hand(const SkinStyle& s, int scale)
{
    return paint_hand(s, scale, 68, 13, 7, s.minute_hand, false);
}

QImage draw_second_hand(const SkinStyle& s, int scale)
{
    return paint_hand(s, scale, 72, 17, 3, s.second_hand, true);
}

QImage draw_small_clock(const SkinStyle& s, int scale)
{
    const int d = 36;
    Canvas canvas(d, d + 1, scale);
    paint_dial(canvas.painter(), s, d, false);
    StripImage strip;
    strip.add_part(canvas.finish(), QPoint(d / 2 * scale, d / 2 * scale));
    return built(strip);
}

QImage draw_small_hour_hand(const SkinStyle& s, int scale)
{
    return paint_hand(s, scale, 9, 3, 3, s.hour_hand, false);
}

QImage draw_small_minute_hand(const SkinStyle& s, int scale)
{
    return paint_hand(s, scale, 13, 3, 3, s.minute_hand, false);
}

}  // namespace zt::skinart
