#include "data/skins/generator/strip_image.h"

#include <QPainter>
#include <algorithm>

namespace zt::skinart {

namespace {

bool is_grey(QRgb p) { return qRed(p) == qGreen(p) && qGreen(p) == qBlue(p); }

// A marker keeps the opacity of the pixel it sits beside in its red byte, so the drawn half
// loses nothing; green and blue are pushed away from red to make it non-grey.
QRgb marker(int opacity)
{
    const int other = opacity < 128 ? 255 : 0;
    return qRgb(opacity, other, other);
}

}  // namespace

void StripImage::add_part(const QImage& art, std::optional<QPoint> anchor)
{
    m_parts.push_back({ art.convertToFormat(QImage::Format_ARGB32), anchor });
}

void StripImage::set_value(int n, QPoint value)
{
    if (n < 1)
        return;
    if (static_cast<size_t>(n) > m_values.size())
        m_values.resize(static_cast<size_t>(n));
    m_values[static_cast<size_t>(n - 1)] = qRgb(0, std::clamp(value.x(), 0, 255), std::clamp(value.y(), 0, 255));
}

std::optional<QImage> StripImage::build() const
{
    int w = 2;
    int h = 0;
    for (const Part& p : m_parts) {
        w = std::max(w, p.art.width());
        h += p.art.height();
    }
    w = std::max<int>(w, static_cast<int>(m_values.size()) + 1);
    if (h == 0)
        return std::nullopt;
    QImage out(2 * w, h, QImage::Format_RGB32);
    out.fill(qRgb(0, 0, 0));
    int row = 0;
    for (const Part& p : m_parts) {
        for (int y = 0; y < p.art.height(); ++y) {
            const auto* src = reinterpret_cast<const QRgb*>(p.art.constScanLine(y));
            auto* dst = reinterpret_cast<QRgb*>(out.scanLine(row + y));
            for (int x = 0; x < p.art.width(); ++x) {
                const QRgb c = src[x];
                const int a = qAlpha(c);
                // Un-premultiplied colour: the loader blends it with its own opacity.
                dst[x] = a == 0 ? qRgb(0, 0, 0) : qRgb(qRed(c), qGreen(c), qBlue(c));
                dst[w + x] = qRgb(a, a, a);
            }
        }
        if (p.anchor) {
            const QPoint a = *p.anchor;
            if (a.x() < 1 || a.x() >= w || a.y() < 0 || a.y() >= p.art.height() - 1)
                return std::nullopt;
            auto* line = reinterpret_cast<QRgb*>(out.scanLine(row + a.y()));
            line[w + a.x()] = marker(qRed(line[w + a.x()]));
        }
        auto* last = reinterpret_cast<QRgb*>(out.scanLine(row + p.art.height() - 1));
        last[w] = marker(qRed(last[w]));
        row += p.art.height();
    }
    auto* top = reinterpret_cast<QRgb*>(out.scanLine(0));
    for (size_t i = 0; i < m_values.size(); ++i) {
        QRgb& pixel = top[w + 1 + static_cast<int>(i)];
        if (!m_values[i]) {
            pixel = qRgb(qRed(pixel), qRed(pixel), qRed(pixel));  // grey: absent
            continue;
        }
        // Red stays the opacity of the drawn pixel beside it, nudged by one where the value
        // would otherwise read as grey (absent).
        const QRgb v = *m_values[i];
        const int red = qRed(pixel);
        QRgb encoded = qRgb(red, qGreen(v), qBlue(v));
        if (is_grey(encoded))
            encoded = qRgb(red == 255 ? 254 : red + 1, qGreen(v), qBlue(v));
        pixel = encoded;
    }
    return out;
}

QImage flatten(const QImage& art, QRgb backdrop)
{
    QImage out(art.size(), QImage::Format_RGB32);
    out.fill(backdrop);
    QPainter p(&out);
    p.drawImage(0, 0, art);
    return out;
}

}  // namespace zt::skinart
