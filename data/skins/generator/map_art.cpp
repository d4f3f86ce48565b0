// World maps in the equirectangular projection the world-time screen uses: x = 0 is longitude
// -180, y = 0 latitude +90, one pixel column per 360 / width degrees.
#include <QLinearGradient>
#include <QPainterPath>

#include "data/skins/generator/art_kit.h"
#include "data/skins/generator/land_shapes.h"
#include "data/skins/generator/skin_images.h"
#include "data/skins/generator/strip_image.h"

namespace zt::skinart {

QImage draw_world_map(const SkinStyle& s, const LandShapes& land, QSize size, int scale)
{
    const double w = size.width(), h = size.height();
    Canvas canvas(size.width(), size.height(), scale);
    QPainter& p = canvas.painter();
    QLinearGradient sea(0, 0, 0, h);
    sea.setColorAt(0, s.sea.darker(115));
    sea.setColorAt(0.5, s.sea.lighter(112));
    sea.setColorAt(1, s.sea.darker(115));
    p.fillRect(QRectF(0, 0, w, h), sea);
    // Graticule every 30 degrees, faint, so the map reads as a map at any palette.
    QColor grid = s.sea.lightness() > 128 ? s.sea.darker(125) : s.sea.lighter(140);
    grid.setAlpha(110);
    p.setPen(QPen(grid, 0.5));
    for (int lon = -150; lon < 180; lon += 30)
        p.drawLine(QPointF((lon + 180) * w / 360, 0), QPointF((lon + 180) * w / 360, h));
    for (int lat = -60; lat < 90; lat += 30)
        p.drawLine(QPointF(0, (90 - lat) * h / 180), QPointF(w, (90 - lat) * h / 180));
    QPainterPath path;
    path.setFillRule(Qt::OddEvenFill);
    for (const QPolygonF& ring : land.rings) {
        // Rings that cross the date line jump from +180 to -180; unwrapping the longitudes
        // keeps them whole, and drawing the land once more a world to the left and to the
        // right brings back the part that leaves the map.
        QPolygonF projected;
        projected.reserve(ring.size());
        double shift = 0;
        for (qsizetype i = 0; i < ring.size(); ++i) {
            if (i > 0) {
                const double jump = ring[i].x() - ring[i - 1].x();
                if (jump > 180)
                    shift -= 360;
                else if (jump < -180)
                    shift += 360;
            }
            projected << QPointF((ring[i].x() + shift + 180) * w / 360, (90 - ring[i].y()) * h / 180);
        }
        path.addPolygon(projected);
        path.closeSubpath();
    }
    const QPainterPath once = path;
    path.addPath(once.translated(w, 0));
    path.addPath(once.translated(-w, 0));
    p.setPen(QPen(s.land_edge, w > 300 ? 0.6 : 0.4));
    p.setBrush(s.land);
    p.drawPath(path);
    return flatten(canvas.finish(), s.sea.rgb());
}

}  // namespace zt::skinart
