#include "data/skins/tests/decoded_compare.h"

#include <QImage>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace zt::skinart {

Reproduction compare_decoded(const std::filesystem::path& made, const std::filesystem::path& committed)
{
    Reproduction r;
    const QImage a = QImage(QString::fromStdString(made.string())).convertToFormat(QImage::Format_ARGB32);
    const QImage b = QImage(QString::fromStdString(committed.string())).convertToFormat(QImage::Format_ARGB32);
    if (a.isNull() || b.isNull() || a.size() != b.size()) {
        r.problem = "cannot be decoded or has another size";
        return r;
    }
    for (int y = 0; y < a.height(); ++y) {
        const auto* pa = reinterpret_cast<const QRgb*>(a.constScanLine(y));
        const auto* pb = reinterpret_cast<const QRgb*>(b.constScanLine(y));
        for (int x = 0; x < a.width(); ++x) {
            if (pa[x] == pb[x])
                continue;
            ++r.differing;
            const int d = std::max({ std::abs(qRed(pa[x]) - qRed(pb[x])), std::abs(qGreen(pa[x]) - qGreen(pb[x])),
                                     std::abs(qBlue(pa[x]) - qBlue(pb[x])), std::abs(qAlpha(pa[x]) - qAlpha(pb[x])) });
            if (d > r.worst) {
                r.worst = d;
                r.where = { x, y };
                r.made = pa[x];
                r.committed = pb[x];
            }
        }
    }
    return r;
}

std::string hex(QRgb c)
{
    char text[12];
    std::snprintf(text, sizeof text, "#%08x", c);
    return text;
}

}  // namespace zt::skinart
