#include "tools/zt_png/png_squeeze.h"

#include <QHash>
#include <QImageReader>
#include <QImageWriter>

#include <algorithm>
#include <array>
#include <vector>

namespace zt::tools {
namespace {

constexpr int kPaletteSize = 256;

struct Weighted {
    QRgb colour;
    quint32 count;
};

int channel(QRgb c, int which) { return which == 0 ? qRed(c) : which == 1 ? qGreen(c) : qBlue(c); }

// A box of the colour space holding a run of the colour list.
struct Box {
    size_t begin, end;
    int widest { 0 };
    int range { 0 };
    quint64 population { 0 };
};

void measure(Box& box, const std::vector<Weighted>& colours) {
    std::array<int, 3> low { 255, 255, 255 }, high { 0, 0, 0 };
    box.population = 0;
    for (size_t i = box.begin; i < box.end; ++i) {
        for (int c = 0; c < 3; ++c) {
            low[c] = std::min(low[c], channel(colours[i].colour, c));
            high[c] = std::max(high[c], channel(colours[i].colour, c));
        }
        box.population += colours[i].count;
    }
    box.range = -1;
    for (int c = 0; c < 3; ++c) {
        if (high[c] - low[c] > box.range) {
            box.range = high[c] - low[c];
            box.widest = c;
        }
    }
}

// Median cut: the box whose widest side, weighted by the pixels in it, is largest is split at
// its pixels' median until there are enough boxes; each box's colour is its pixels' mean.
std::vector<QRgb> median_cut(std::vector<Weighted> colours) {
    std::vector<Box> boxes { Box { 0, colours.size() } };
    measure(boxes.front(), colours);
    while (boxes.size() < kPaletteSize) {
        auto widest = std::max_element(boxes.begin(), boxes.end(), [](const Box& a, const Box& b) {
            return double(a.range) * double(a.population) < double(b.range) * double(b.population);
        });
        if (widest->range <= 0 || widest->end - widest->begin < 2) break;
        Box box = *widest;
        const int c = box.widest;
        std::sort(colours.begin() + box.begin, colours.begin() + box.end,
                  [c](const Weighted& a, const Weighted& b) { return channel(a.colour, c) < channel(b.colour, c); });
        quint64 half = 0;
        size_t split = box.begin + 1;
        for (size_t i = box.begin; i + 1 < box.end; ++i) {
            half += colours[i].count;
            split = i + 1;
            if (half * 2 >= box.population) break;
        }
        Box upper { split, box.end };
        box.end = split;
        measure(box, colours);
        measure(upper, colours);
        *widest = box;
        boxes.push_back(upper);
    }
    std::vector<QRgb> palette;
    for (const Box& box : boxes) {
        std::array<quint64, 3> sum {};
        for (size_t i = box.begin; i < box.end; ++i) {
            for (int c = 0; c < 3; ++c) sum[c] += quint64(channel(colours[i].colour, c)) * colours[i].count;
        }
        const auto mean = [&](int c) { return int((sum[c] + box.population / 2) / box.population); };
        palette.push_back(qRgb(mean(0), mean(1), mean(2)));
    }
    return palette;
}

int nearest(QRgb colour, const std::vector<QRgb>& palette) {
    int best = 0;
    int best_distance = INT_MAX;
    for (size_t i = 0; i < palette.size(); ++i) {
        const int r = qRed(colour) - qRed(palette[i]), g = qGreen(colour) - qGreen(palette[i]),
                  b = qBlue(colour) - qBlue(palette[i]);
        const int distance = r * r + g * g + b * b;
        if (distance < best_distance) {
            best_distance = distance;
            best = int(i);
        }
    }
    return best;
}

}  // namespace

QImage reduce_to_palette(const QImage& picture) {
    if (picture.isNull()) return picture;
    const QImage rgb = picture.convertToFormat(QImage::Format_ARGB32);
    QHash<QRgb, quint32> counts;
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x) {
            if (qAlpha(line[x]) != 255) return picture;
            ++counts[line[x]];
        }
    }
    std::vector<Weighted> colours;
    colours.reserve(size_t(counts.size()));
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) colours.push_back({ it.key(), it.value() });
    std::vector<QRgb> palette;
    if (colours.size() <= kPaletteSize) {
        for (const Weighted& w : colours) palette.push_back(w.colour);
    } else {
        palette = median_cut(std::move(colours));
    }
    QHash<QRgb, int> index;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) index.insert(it.key(), nearest(it.key(), palette));

    QImage reduced(rgb.size(), QImage::Format_Indexed8);
    reduced.setColorTable(QList<QRgb>(palette.begin(), palette.end()));
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        uchar* out = reduced.scanLine(y);
        for (int x = 0; x < rgb.width(); ++x) out[x] = uchar(index.value(line[x]));
    }
    return reduced;
}

QString squeeze_png(const QString& from, const QString& to) {
    QImageReader reader(from);
    const QImage picture = reader.read();
    if (picture.isNull()) return QStringLiteral("%1 cannot be read: %2").arg(from, reader.errorString());
    QImageWriter writer(to, "png");
    writer.setQuality(0);  // for PNG: the strongest compression
    if (!writer.write(reduce_to_palette(picture))) return QStringLiteral("%1 cannot be written: %2").arg(to, writer.errorString());
    return {};
}

}  // namespace zt::tools
