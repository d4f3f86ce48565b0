#include "skins/catalog/contact_sheet.h"

#include <QFont>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <algorithm>
#include <vector>

#include "skins/catalog/skin_catalog.h"

namespace zt::skintool {

namespace {

namespace fs = std::filesystem;

// The catalog rule of a file name, looking through "_vga".
const ImageRule* rule_for(std::string file)
{
    const auto vga = file.find("_vga.");
    if (vga != std::string::npos)
        file.erase(vga, 4);
    return find_rule(file);
}

// Colours with the opacity of the right half applied, as the screens draw it.
QImage as_drawn(const QImage& raw)
{
    const int w = raw.width() / 2;
    QImage out(w, raw.height(), QImage::Format_ARGB32);
    for (int y = 0; y < raw.height(); ++y)
        for (int x = 0; x < w; ++x) {
            const QRgb c = raw.pixel(x, y);
            out.setPixel(x, y, qRgba(qRed(c), qGreen(c), qBlue(c), qRed(raw.pixel(x + w, y))));
        }
    return out;
}

void checkerboard(QPainter& p, const QRect& r)
{
    for (int y = r.top(); y < r.bottom(); y += 8)
        for (int x = r.left(); x < r.right(); x += 8) {
            const bool dark = ((x - r.left()) / 8 + (y - r.top()) / 8) % 2;
            p.fillRect(QRect(x, y, std::min(8, r.right() - x + 1), std::min(8, r.bottom() - y + 1)),
                       dark ? QColor(200, 200, 200) : QColor(240, 240, 240));
        }
}

}  // namespace

bool write_contact_sheet(const fs::path& folder, const fs::path& out_png)
{
    std::vector<fs::path> files;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(folder, ec))
        if (entry.is_regular_file() && entry.path().extension() == ".png")
            files.push_back(entry.path());
    if (ec || files.empty())
        return false;
    std::sort(files.begin(), files.end());

    struct Tile {
        QString caption;
        QImage image;
    };
    std::vector<Tile> tiles;
    for (const fs::path& file : files) {
        QImage raw(QString::fromStdString(file.string()));
        if (raw.isNull())
            continue;
        const ImageRule* rule = rule_for(file.filename().string());
        const bool strip = rule && rule->kind == ImageKind::Strip && raw.width() >= 2;
        QImage shown = strip ? as_drawn(raw) : raw;
        if (shown.width() > 480 || shown.height() > 480)
            shown = shown.scaled(480, 480, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        tiles.push_back({ QString::fromStdString(file.filename().string()), shown });
    }

    // Shelf packing: rows of tiles up to a fixed sheet width.
    const int sheet_width = 1400, pad = 10, caption = 16;
    std::vector<QPoint> at(tiles.size());
    int x = pad, y = pad, shelf = 0;
    for (size_t i = 0; i < tiles.size(); ++i) {
        const int w = std::max(tiles[i].image.width(), 90), h = tiles[i].image.height() + caption;
        if (x + w + pad > sheet_width) {
            x = pad;
            y += shelf + pad;
            shelf = 0;
        }
        at[i] = QPoint(x, y);
        x += w + pad;
        shelf = std::max(shelf, h);
    }
    QImage sheet(sheet_width, y + shelf + pad, QImage::Format_RGB32);
    sheet.fill(QColor(255, 255, 255));
    QPainter p(&sheet);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(11);
    p.setFont(font);
    for (size_t i = 0; i < tiles.size(); ++i) {
        const QRect r(at[i], tiles[i].image.size());
        checkerboard(p, r);
        p.drawImage(r.topLeft(), tiles[i].image);
        p.setPen(QColor(30, 30, 30));
        p.drawText(QRect(at[i].x(), r.bottom() + 2, std::max(r.width(), 90) + pad, caption - 2),
                   Qt::AlignLeft | Qt::AlignVCenter, tiles[i].caption);
    }
    p.end();
    QImageWriter writer(QString::fromStdString(out_png.string()), "png");
    return writer.write(sheet);
}

}  // namespace zt::skintool
