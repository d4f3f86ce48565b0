// Digit strips: one part per glyph, all of one cell size, so every glyph advances the pen by
// the same width and sits on the same baseline.
#include <QFont>
#include <QFontMetricsF>
#include <QPainterPath>

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

// One glyph, its outline fitted to the cell: text height `ink` of the cell height, centred
// horizontally, resting on a common baseline near the bottom.
QImage paint_glyph(const SkinStyle& s, int scale, QSize cell, const QString& text, double ink, bool condensed)
{
    Canvas canvas(cell.width(), cell.height(), scale);
    QPainter& p = canvas.painter();
    if (s.finish == Finish::Classic) {
        p.fillRect(QRectF(0, 0, cell.width(), cell.height()), QColor(0, 0, 0));
    }
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setBold(true);
    font.setHintingPreference(QFont::PreferNoHinting);
    if (condensed)
        font.setStretch(QFont::SemiCondensed);
    font.setPixelSize(100);
    QPainterPath path;
    path.addText(0, 0, font, text);
    // Fit the digits' cap height (that of "0") into the cell, whatever the glyph.
    QPainterPath zero;
    zero.addText(0, 0, font, QStringLiteral("0"));
    const QRectF ref = zero.boundingRect();
    const double k = cell.height() * ink / ref.height();
    const double width_limit = cell.width() * 0.9 / ref.width();
    const double kx = std::min(k, width_limit * 1.08);
    QTransform t;
    const QRectF b = path.boundingRect();
    const double baseline = cell.height() * (1 - (1 - ink) / 2);
    t.translate(cell.width() / 2.0 - (b.center().x()) * kx, baseline);
    t.scale(kx, k);
    const QPainterPath fitted = t.map(path);
    if (s.finish == Finish::Flat || s.finish == Finish::Classic) {
        QColor glow = s.digit_glow;
        glow.setAlpha(s.finish == Finish::Classic ? 0 : 90);
        p.setPen(QPen(glow, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPath(fitted);
    } else {
        p.setPen(QPen(s.digit_glow, 1.2));
        p.setBrush(Qt::NoBrush);
        p.drawPath(fitted.translated(0.6, 0.8));
    }
    p.setPen(Qt::NoPen);
    p.setBrush(s.digit);
    p.drawPath(fitted);
    return canvas.finish();
}

QImage digit_strip(const SkinStyle& s, int scale, QSize cell, const QStringList& glyphs, double ink)
{
    StripImage strip;
    for (const QString& g : glyphs)
        strip.add_part(paint_glyph(s, scale, cell, g, ink, cell.width() < cell.height() * 0.5));
    return built(strip);
}

QStringList digits_and(const QStringList& extra)
{
    QStringList glyphs;
    for (int i = 0; i < 10; ++i)
        glyphs << QString::number(i);
    return glyphs + extra;
}

const layout::DigitalLayout& digital(const SkinStyle& s)
{
    return s.big_digits ? layout::kBigDigits : layout::kNormalDigits;
}

}  // namespace

QImage draw_digits(const SkinStyle& s, int scale)
{
    return digit_strip(s, scale, digital(s).digit, digits_and({ QStringLiteral(":") }), 0.78);
}

QImage draw_small_digits(const SkinStyle& s, int scale)
{
    return digit_strip(s, scale, digital(s).small_digit,
                       digits_and({ QStringLiteral("A"), QStringLiteral("P"), QStringLiteral("M") }), 0.66);
}

QImage draw_timer_digits(const SkinStyle& s, int scale)
{
    return digit_strip(s, scale, layout::kTimerDigit, digits_and({ QStringLiteral(":"), QStringLiteral(".") }),
                       0.74);
}

QImage draw_big_timer_digits(const SkinStyle& s, int scale)
{
    return digit_strip(s, scale, layout::kBigTimerDigit, digits_and({ QStringLiteral(":"), QStringLiteral(".") }),
                       0.78);
}

}  // namespace zt::skinart
