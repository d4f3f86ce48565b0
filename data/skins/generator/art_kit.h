#pragma once
// Shared drawing pieces of the skin painters: an anti-aliased canvas in 240-wide screen units
// that renders at 1x or 2x (the _vga form), the skin's button and panel surfaces, text and the alarm bell.
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRectF>
#include <memory>

#include "data/skins/generator/skin_style.h"

namespace zt::skinart {

// scale 1 draws the normal image, scale 2 the _vga one; drawing is always in normal units.
class Canvas {
public:
    Canvas(int width, int height, int scale);
    QPainter& painter() { return *m_painter; }
    QImage finish();

private:
    QImage m_image;
    std::unique_ptr<QPainter> m_painter;
};

enum class Surface { Raised, Pressed, Selected };

// A button or panel face in the skin's finish: flat rounded, brushed metal or classic bevel.
void paint_surface(QPainter& p, const SkinStyle& s, const QRectF& r, Surface kind, double radius = 5);
void paint_panel(QPainter& p, const SkinStyle& s, const QRectF& r, double radius = 6);
// The screen background gradient.
void paint_backdrop(QPainter& p, const SkinStyle& s, const QRectF& r);
// Centred text in the skin's font; size in normal units.
void paint_text(QPainter& p, const QRectF& r, const QString& text, double size, const QColor& colour,
                bool bold = true);
QColor mix(const QColor& a, const QColor& b, double t);
// A bell filling `box`, with its clapper; `body` fills it, `edge` outlines it.
void paint_bell(QPainter& p, const QRectF& box, const QBrush& body, const QColor& edge);

}  // namespace zt::skinart
