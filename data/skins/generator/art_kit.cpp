#include "data/skins/generator/art_kit.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainterPath>

namespace zt::skinart {

Canvas::Canvas(int width, int height, int scale)
    : m_image(width * scale, height * scale, QImage::Format_ARGB32_Premultiplied)
{
    m_image.fill(Qt::transparent);
    m_painter = std::make_unique<QPainter>(&m_image);
    m_painter->setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform);
    m_painter->scale(scale, scale);
}

QImage Canvas::finish()
{
    m_painter.reset();
    return m_image.convertToFormat(QImage::Format_ARGB32);
}

QColor mix(const QColor& a, const QColor& b, double t)
{
    return QColor::fromRgbF(static_cast<float>(a.redF() + (b.redF() - a.redF()) * t),
                            static_cast<float>(a.greenF() + (b.greenF() - a.greenF()) * t),
                            static_cast<float>(a.blueF() + (b.blueF() - a.blueF()) * t),
                            static_cast<float>(a.alphaF() + (b.alphaF() - a.alphaF()) * t));
}

namespace {

void classic_bevel(QPainter& p, const QRectF& r, bool sunken)
{
    const QColor light(255, 255, 255), dark(64, 64, 64), mid(128, 128, 128);
    const QColor top_left = sunken ? dark : light;
    const QColor bottom_right = sunken ? light : dark;
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(top_left, 1));
    p.drawLine(QPointF(r.left() + 0.5, r.bottom() - 0.5), QPointF(r.left() + 0.5, r.top() + 0.5));
    p.drawLine(QPointF(r.left() + 0.5, r.top() + 0.5), QPointF(r.right() - 0.5, r.top() + 0.5));
    p.setPen(QPen(bottom_right, 1));
    p.drawLine(QPointF(r.right() - 0.5, r.top() + 0.5), QPointF(r.right() - 0.5, r.bottom() - 0.5));
    p.drawLine(QPointF(r.right() - 0.5, r.bottom() - 0.5), QPointF(r.left() + 0.5, r.bottom() - 0.5));
    p.setPen(QPen(mid, 1));
    const QRectF in = r.adjusted(1, 1, -1, -1);
    if (!sunken) {
        p.drawLine(QPointF(in.right() - 0.5, in.top() + 0.5), QPointF(in.right() - 0.5, in.bottom() - 0.5));
        p.drawLine(QPointF(in.right() - 0.5, in.bottom() - 0.5), QPointF(in.left() + 0.5, in.bottom() - 0.5));
    }
}

}  // namespace

void paint_surface(QPainter& p, const SkinStyle& s, const QRectF& r, Surface kind, double radius)
{
    p.save();
    const QColor base = kind == Surface::Selected ? s.button_pressed
                        : kind == Surface::Pressed ? s.button.darker(125)
                                                   : s.button;
    switch (s.finish) {
    case Finish::Classic: {
        p.setPen(Qt::NoPen);
        p.setBrush(kind == Surface::Selected ? mix(s.button, s.button_pressed, 0.25) : s.button);
        p.drawRect(r);
        classic_bevel(p, r, kind != Surface::Raised);
        break;
    }
    case Finish::Brushed: {
        QLinearGradient g(r.topLeft(), r.bottomLeft());
        g.setColorAt(0, base.lighter(125));
        g.setColorAt(0.48, base);
        g.setColorAt(0.52, base.darker(108));
        g.setColorAt(1, base.lighter(110));
        p.setBrush(g);
        p.setPen(QPen(s.button_edge, 1));
        p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
        break;
    }
    case Finish::Flat: {
        QLinearGradient g(r.topLeft(), r.bottomLeft());
        g.setColorAt(0, base.lighter(kind == Surface::Pressed ? 100 : 118));
        g.setColorAt(1, base.darker(kind == Surface::Pressed ? 115 : 104));
        p.setBrush(g);
        p.setPen(QPen(kind == Surface::Selected ? s.button_pressed.lighter(130) : s.button_edge, 1));
        p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
        break;
    }
    }
    p.restore();
}

void paint_panel(QPainter& p, const SkinStyle& s, const QRectF& r, double radius)
{
    p.save();
    if (s.finish == Finish::Classic) {
        p.setPen(Qt::NoPen);
        p.setBrush(s.panel);
        p.drawRect(r);
        classic_bevel(p, r, false);
    } else {
        QLinearGradient g(r.topLeft(), r.bottomLeft());
        g.setColorAt(0, s.panel.lighter(104));
        g.setColorAt(1, s.panel.darker(106));
        p.setBrush(g);
        p.setPen(QPen(s.panel_edge, 1));
        p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
    }
    p.restore();
}

void paint_backdrop(QPainter& p, const SkinStyle& s, const QRectF& r)
{
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, s.screen_top);
    g.setColorAt(1, s.screen_bottom);
    p.fillRect(r, g);
}

void paint_text(QPainter& p, const QRectF& r, const QString& text, double size, const QColor& colour, bool bold)
{
    p.save();
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(static_cast<int>(size + 0.5));
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferNoHinting);
    p.setFont(font);
    p.setPen(colour);
    p.drawText(r, Qt::AlignCenter, text);
    p.restore();
}

void paint_bell(QPainter& p, const QRectF& box, const QBrush& body, const QColor& edge)
{
    const double w = box.width(), h = box.height();
    const double x = box.left(), y = box.top();
    QPainterPath bell;
    bell.moveTo(x + w * 0.5, y + h * 0.10);
    bell.cubicTo(x + w * 0.80, y + h * 0.10, x + w * 0.78, y + h * 0.45, x + w * 0.82, y + h * 0.62);
    bell.lineTo(x + w * 0.92, y + h * 0.76);
    bell.lineTo(x + w * 0.08, y + h * 0.76);
    bell.lineTo(x + w * 0.18, y + h * 0.62);
    bell.cubicTo(x + w * 0.22, y + h * 0.45, x + w * 0.20, y + h * 0.10, x + w * 0.5, y + h * 0.10);
    p.setPen(QPen(edge, w * 0.06, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(body);
    p.drawPath(bell);
    p.setPen(Qt::NoPen);
    p.setBrush(edge);
    p.drawEllipse(QPointF(x + w * 0.5, y + h * 0.84), w * 0.10, w * 0.10);
    p.drawEllipse(QPointF(x + w * 0.5, y + h * 0.08), w * 0.06, w * 0.06);
}

}  // namespace zt::skinart
