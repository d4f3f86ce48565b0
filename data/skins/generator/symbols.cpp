#include "data/skins/generator/symbols.h"

#include <QPainterPath>
#include <cmath>
#include <numbers>

namespace zt::skinart {

void paint_symbol(QPainter& p, Symbol symbol, const QRectF& box, const QColor& colour)
{
    p.save();
    const double u = std::min(box.width(), box.height()) / 16.0;  // drawn on a 16-unit grid
    p.translate(box.center().x() - 8 * u, box.center().y() - 8 * u);
    p.scale(u, u);
    QPen pen(colour, 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    // `angle`: the direction the arrow travels, in radians (0 = right, y down).
    auto arrow_head = [&](QPointF tip, double angle) {
        const double a1 = angle + 2.5, a2 = angle - 2.5;
        p.drawLine(tip, tip + QPointF(std::cos(a1) * 4, std::sin(a1) * 4));
        p.drawLine(tip, tip + QPointF(std::cos(a2) * 4, std::sin(a2) * 4));
    };
    switch (symbol) {
    case Symbol::Clock:
        p.drawEllipse(QPointF(8, 8), 6.5, 6.5);
        p.drawLine(QPointF(8, 8), QPointF(8, 4));
        p.drawLine(QPointF(8, 8), QPointF(11, 9.5));
        break;
    case Symbol::Timers: {
        p.drawEllipse(QPointF(8, 9), 6, 6);
        p.drawLine(QPointF(8, 9), QPointF(8, 5.5));
        p.drawLine(QPointF(6.5, 1.5), QPointF(9.5, 1.5));
        p.drawLine(QPointF(8, 1.5), QPointF(8, 3));
        break;
    }
    case Symbol::Switch:
        p.drawLine(QPointF(2, 5), QPointF(13, 5));
        arrow_head(QPointF(14, 5), 0);
        p.drawLine(QPointF(14, 11), QPointF(3, 11));
        arrow_head(QPointF(2, 11), std::numbers::pi);
        break;
    case Symbol::Gear: {
        QPainterPath gear;
        for (int i = 0; i < 16; ++i) {
            const double a = i * std::numbers::pi / 8;
            const double r = (i % 2 == 0) ? 7 : 5.2;
            const QPointF pt(8 + std::cos(a) * r, 8 + std::sin(a) * r);
            if (i == 0)
                gear.moveTo(pt);
            else
                gear.lineTo(pt);
        }
        gear.closeSubpath();
        gear.addEllipse(QPointF(8, 8), 2.2, 2.2);
        p.setPen(QPen(colour, 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(gear);
        break;
    }
    case Symbol::Play: {
        QPainterPath tri;
        tri.moveTo(4.5, 2.5);
        tri.lineTo(13.5, 8);
        tri.lineTo(4.5, 13.5);
        tri.closeSubpath();
        p.setBrush(colour);
        p.drawPath(tri);
        break;
    }
    case Symbol::Pause:
        p.setBrush(colour);
        p.drawRoundedRect(QRectF(3.5, 3, 3, 10), 0.8, 0.8);
        p.drawRoundedRect(QRectF(9.5, 3, 3, 10), 0.8, 0.8);
        break;
    case Symbol::Reset:
        p.drawArc(QRectF(2.5, 2.5, 11, 11), 100 * 16, 290 * 16);
        arrow_head(QPointF(7.2, 2.6), -0.35);
        break;
    case Symbol::Flag:
        p.drawLine(QPointF(3.5, 14.5), QPointF(3.5, 1.5));
        p.setBrush(colour);
        {
            QPainterPath flag;
            flag.moveTo(3.5, 2);
            flag.lineTo(13, 4.5);
            flag.lineTo(3.5, 8.5);
            flag.closeSubpath();
            p.drawPath(flag);
        }
        break;
    case Symbol::Save:
        p.drawRoundedRect(QRectF(2, 2, 12, 12), 1.5, 1.5);
        p.drawRect(QRectF(5, 2, 6, 4));
        p.drawRect(QRectF(4.5, 9, 7, 5));
        break;
    case Symbol::Check:
        p.setPen(QPen(colour, 2.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPolyline(QPolygonF({ QPointF(2.5, 8.5), QPointF(6.5, 12.5), QPointF(13.5, 3.5) }));
        break;
    case Symbol::Cross:
        p.setPen(QPen(colour, 2.4, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(3.5, 3.5), QPointF(12.5, 12.5));
        p.drawLine(QPointF(12.5, 3.5), QPointF(3.5, 12.5));
        break;
    case Symbol::Pen:
        p.drawPolygon(QPolygonF({ QPointF(3, 13), QPointF(3.5, 10), QPointF(11, 2.5), QPointF(13.5, 5),
                                  QPointF(6, 12.5) }));
        p.drawLine(QPointF(9.5, 4), QPointF(12, 6.5));
        break;
    case Symbol::Back:
        p.drawArc(QRectF(4, 4, 10, 9), 270 * 16, 180 * 16);
        p.drawLine(QPointF(9, 4), QPointF(2.5, 4));
        arrow_head(QPointF(2.5, 4), std::numbers::pi);
        p.drawLine(QPointF(9, 13), QPointF(5, 13));
        break;
    case Symbol::Expand:
        for (int i = 0; i < 4; ++i) {
            p.save();
            p.translate(8, 8);
            p.rotate(90 * i);
            p.drawPolyline(QPolygonF({ QPointF(-6.5, -2.5), QPointF(-6.5, -6.5), QPointF(-2.5, -6.5) }));
            p.drawLine(QPointF(-6.5, -6.5), QPointF(-3, -3));
            p.restore();
        }
        break;
    case Symbol::Collapse:
        for (int i = 0; i < 4; ++i) {
            p.save();
            p.translate(8, 8);
            p.rotate(90 * i);
            p.drawPolyline(QPolygonF({ QPointF(-6.5, -2.5), QPointF(-2.5, -2.5), QPointF(-2.5, -6.5) }));
            p.drawLine(QPointF(-2.5, -2.5), QPointF(-6.5, -6.5));
            p.restore();
        }
        break;
    case Symbol::Up:
    case Symbol::Down: {
        QPainterPath tri;
        const bool up = symbol == Symbol::Up;
        tri.moveTo(2.5, up ? 11 : 5);
        tri.lineTo(13.5, up ? 11 : 5);
        tri.lineTo(8, up ? 4 : 12);
        tri.closeSubpath();
        p.setBrush(colour);
        p.setPen(QPen(colour, 1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(tri);
        break;
    }
    case Symbol::Snooze: {
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setBold(true);
        font.setPixelSize(9);
        p.setFont(font);
        p.drawText(QRectF(0, 0, 16, 16), Qt::AlignCenter, QStringLiteral("Zz"));
        break;
    }
    }
    p.restore();
}

}  // namespace zt::skinart
