#include "tools/zt_png/png_squeeze.h"

#include <gtest/gtest.h>

#include <QFileInfo>

#include <algorithm>
#include <cstdlib>

#include "platform/testing/temp_folder.h"

namespace zt::tools {
namespace {

// The largest difference in one channel between the two pictures' decoded pixels.
int worst_difference(const QImage& a, const QImage& b) {
    const QImage x = a.convertToFormat(QImage::Format_ARGB32), y = b.convertToFormat(QImage::Format_ARGB32);
    int worst = 0;
    for (int row = 0; row < x.height(); ++row) {
        for (int column = 0; column < x.width(); ++column) {
            const QRgb p = x.pixel(column, row), q = y.pixel(column, row);
            worst = std::max({ worst, std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                               std::abs(qBlue(p) - qBlue(q)), std::abs(qAlpha(p) - qAlpha(q)) });
        }
    }
    return worst;
}

// Red across, green down: 65,536 colours, far more than a palette holds.
QImage two_way_gradient() {
    QImage picture(256, 256, QImage::Format_RGB32);
    for (int y = 0; y < 256; ++y) {
        for (int x = 0; x < 256; ++x) picture.setPixel(x, y, qRgb(x, y, 128));
    }
    return picture;
}

TEST(PngSqueeze, AFewColoursAreKeptExactly) {
    QImage picture(40, 30, QImage::Format_RGB32);
    picture.fill(qRgb(0, 0, 128));
    for (int x = 0; x < 40; ++x) picture.setPixel(x, 10, qRgb(x * 6, 255 - x, 7));
    const QImage reduced = reduce_to_palette(picture);
    EXPECT_EQ(reduced.format(), QImage::Format_Indexed8);
    EXPECT_EQ(worst_difference(reduced, picture), 0);
}

TEST(PngSqueeze, ManyColoursComeCloseWithAtMost256) {
    const QImage picture = two_way_gradient();
    const QImage reduced = reduce_to_palette(picture);
    ASSERT_EQ(reduced.format(), QImage::Format_Indexed8);
    EXPECT_LE(reduced.colorCount(), 256);
    EXPECT_GT(reduced.colorCount(), 200) << "the palette is used";
    EXPECT_LE(worst_difference(reduced, picture), 12) << "each box of the cut is small";
}

TEST(PngSqueeze, TransparentPicturesAndEmptyOnesStayAsTheyAre) {
    QImage picture(8, 8, QImage::Format_ARGB32);
    picture.fill(qRgba(10, 20, 30, 100));
    EXPECT_EQ(reduce_to_palette(picture), picture);
    EXPECT_TRUE(reduce_to_palette(QImage()).isNull());
}

// Scattered pixels of 200 colours: what compresses badly as RGB and well as a palette.
QImage scattered_colours() {
    QImage picture(200, 150, QImage::Format_RGB32);
    quint32 seed = 12345;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            seed = seed * 1103515245u + 12345u;
            const int n = int((seed >> 16) % 200);
            picture.setPixel(x, y, qRgb(n, (n * 7) % 256, 255 - n));
        }
    }
    return picture;
}

TEST(PngSqueeze, TheFileDecodesToTheSamePixelsAndIsSmaller) {
    zt::platform::testing::TempFolder folder("zt-png");
    const QString original = QString::fromStdString((folder / "original.png").string());
    const QString squeezed = QString::fromStdString((folder / "squeezed.png").string());
    const QImage picture = scattered_colours();
    ASSERT_TRUE(picture.save(original));
    EXPECT_EQ(squeeze_png(original, squeezed), QString());
    const QImage back(squeezed);
    ASSERT_FALSE(back.isNull());
    EXPECT_EQ(worst_difference(back, picture), 0);
    EXPECT_LT(QFileInfo(squeezed).size() * 2, QFileInfo(original).size());

    EXPECT_TRUE(squeeze_png(QString::fromStdString((folder / "none.png").string()), squeezed).contains("cannot be read"));
    EXPECT_TRUE(squeeze_png(original, QString::fromStdString((folder / "no" / "such" / "x.png").string())).contains("cannot be written"));
}

}  // namespace
}  // namespace zt::tools
