// The Today item's line icons: one strip whose parts stand at the start of the item's three
// text lines, in the order the item indexes them (0 the date, 1 the next alarm, 2 the city).
// A line is 12 pixels high, so each icon is 10 x 10; the _vga form is drawn at 20 x 20 with
// its own one-pixel outlines and finer details rather than as a doubled copy.
#include <QLinearGradient>
#include <QPainterPath>
#include <span>

#include "data/skins/generator/art_kit.h"
#include "data/skins/generator/skin_images.h"
#include "data/skins/generator/strip_image.h"

namespace zt::skinart {

namespace {

constexpr int kIconSize = 10;

// The icons sit on whatever the Today screen's theme paints behind them, light or dark, so
// each shape is outlined in a colour far from its own fill: one of the two always stands out.
QColor edge_for(const SkinStyle& s, const QColor& fill)
{
    if (s.finish == Finish::Classic)
        return QColor(0, 0, 0);
    return fill.lightness() < 90 ? mix(fill, QColor(255, 255, 255), 0.55) : mix(fill, QColor(0, 0, 0), 0.5);
}

// A fill in the skin's finish: classic is one solid colour, flat shades softly from the top,
// brushed metal catches the light on its upper half.
QBrush finish_fill(const SkinStyle& s, const QColor& colour, const QRectF& box)
{
    if (s.finish == Finish::Classic)
        return colour;
    QLinearGradient g(box.topLeft(), box.bottomLeft());
    if (s.finish == Finish::Brushed) {
        g.setColorAt(0, colour.lighter(140));
        g.setColorAt(0.5, colour);
        g.setColorAt(1, colour.darker(112));
    } else {
        g.setColorAt(0, colour.lighter(112));
        g.setColorAt(1, colour);
    }
    return g;
}

// A wall-calendar page: binding rings, a coloured title band and a grid of days with today
// marked. The grid is laid out per size so that every mark falls on whole pixels.
QImage calendar_page(const SkinStyle& s, int scale)
{
    Canvas canvas(kIconSize, kIconSize, scale);
    QPainter& p = canvas.painter();
    const double px = 1.0 / scale;  // one pixel of the image, in drawing units
    const QColor paper = s.finish == Finish::Classic ? QColor(255, 255, 255) : s.panel;
    const QColor edge = edge_for(s, paper);
    const QRectF page(px / 2, 1 + px / 2, kIconSize - px, kIconSize - 1 - px);
    p.setPen(QPen(edge, px));
    p.setBrush(finish_fill(s, paper, page));
    p.drawRect(page);
    const double band_bottom = scale == 1 ? 4 : 4.5;
    p.setPen(Qt::NoPen);
    p.setBrush(finish_fill(s, s.cal_today, page));
    p.drawRect(QRectF(px, 1 + px, kIconSize - 2 * px, band_bottom - 1 - px));
    p.setBrush(edge);
    p.drawRect(QRectF(2, 0, 1, 2.5));
    p.drawRect(QRectF(7, 0, 1, 2.5));

    struct Grid {
        double left, top, step_x, step_y, mark_w, mark_h;
        int columns, rows;
    };
    const Grid grid = scale == 1 ? Grid { 2, 5, 4, 2, 2, 1, 2, 2 } : Grid { 1.5, 5, 2, 1.5, 1, 1, 4, 3 };
    for (int row = 0; row < grid.rows; ++row)
        for (int column = 0; column < grid.columns; ++column) {
            const bool today = row == grid.rows - 1 && column == grid.columns - 1;
            p.setBrush(today ? s.cal_today : s.text_dim);
            p.drawRect(QRectF(grid.left + column * grid.step_x, grid.top + row * grid.step_y, grid.mark_w, grid.mark_h));
        }
    return canvas.finish();
}

// The alarm bell of the skin's own alarm icons, shrunk to the line.
QImage alarm_bell(const SkinStyle& s, int scale)
{
    Canvas canvas(kIconSize, kIconSize, scale);
    QPainter& p = canvas.painter();
    const QRectF box(0, 0, kIconSize, kIconSize);
    paint_bell(p, box, finish_fill(s, s.accent, box), edge_for(s, s.accent));
    return canvas.finish();
}

// Two land masses on the globe, in drawing units: a start point, then cubic segments of two
// control points and an end point each.
constexpr double kAmericas[] = { 1.6, 2.2, 3.0, 1.4, 4.6, 2.0, 4.4, 3.0, 4.2, 4.0, 3.4, 4.4, 4.2, 5.6, 5.0, 6.8,
                                 4.4, 8.4, 3.8, 9.4, 3.0, 8.6, 3.2, 7.0, 2.6, 6.0, 1.4, 5.0, 0.6, 3.6, 1.6, 2.2 };
constexpr double kOldWorld[] = { 5.8, 1.2, 7.4, 1.0, 9.4, 2.2, 9.6, 3.8, 9.2, 4.8, 8.0, 4.6, 7.8, 5.6, 8.2, 7.0,
                                 7.4, 8.2, 6.8, 8.6, 6.2, 7.6, 6.4, 6.4, 5.8, 5.6, 5.2, 4.8, 6.4, 3.8, 6.0, 3.0,
                                 5.6, 2.6, 5.4, 1.8, 5.8, 1.2 };

QPainterPath land_outline(std::span<const double> v)
{
    QPainterPath path;
    path.moveTo(v[0], v[1]);
    for (size_t i = 2; i + 6 <= v.size(); i += 6)
        path.cubicTo(v[i], v[i + 1], v[i + 2], v[i + 3], v[i + 4], v[i + 5]);
    path.closeSubpath();
    return path;
}

// A globe in the map's sea and land colours, with a meridian and the equator where the
// larger size leaves room for them.
QImage globe(const SkinStyle& s, int scale)
{
    Canvas canvas(kIconSize, kIconSize, scale);
    QPainter& p = canvas.painter();
    const double px = 1.0 / scale;
    const QPointF centre(kIconSize / 2.0, kIconSize / 2.0);
    const double r = kIconSize / 2.0 - px / 2;
    const QRectF box(centre.x() - r, centre.y() - r, 2 * r, 2 * r);
    QPainterPath disc;
    disc.addEllipse(centre, r, r);
    p.setPen(Qt::NoPen);
    p.setBrush(finish_fill(s, s.sea, box));
    p.drawPath(disc);

    p.save();
    p.setClipPath(disc);
    // Outlined as on the skin's maps: some skins set pale land on a pale sea.
    p.setPen(QPen(s.land_edge, px));
    p.setBrush(finish_fill(s, s.land, box));
    p.drawPath(land_outline(kAmericas));
    p.drawPath(land_outline(kOldWorld));
    if (scale > 1) {
        QColor grid = edge_for(s, s.sea);
        grid.setAlpha(150);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(grid, px));
        p.drawEllipse(centre, r * 0.45, r);
        p.drawLine(QPointF(0, centre.y()), QPointF(kIconSize, centre.y()));
    }
    p.restore();

    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(edge_for(s, s.sea), px));
    p.drawPath(disc);
    return canvas.finish();
}

}  // namespace

QImage draw_line_icons(const SkinStyle& s, int scale)
{
    StripImage strip;
    strip.add_part(calendar_page(s, scale));
    strip.add_part(alarm_bell(s, scale));
    strip.add_part(globe(s, scale));
    return strip.build().value_or(QImage());
}

}  // namespace zt::skinart
