// The generator's own encoders: what it writes must read back through the product's strip
// reader exactly as meant, and the land file reader must refuse damaged input.
#include <gtest/gtest.h>

#include <QImage>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "data/skins/generator/land_shapes.h"
#include "data/skins/generator/strip_image.h"
#include "platform/testing/temp_folder.h"
#include "skins/image_strip.h"

namespace zt::skinart {
namespace {

skins::CImageStrip read_back(const QImage& image)
{
    auto picture = skins::CPicture::create(image.width(), image.height());
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb c = image.pixel(x, y);
            picture->set_colour(x, y, { static_cast<uint8_t>(qRed(c)), static_cast<uint8_t>(qGreen(c)),
                                        static_cast<uint8_t>(qBlue(c)) });
        }
    return skins::CImageStrip(std::move(*picture));
}

QImage solid(int w, int h, QColor colour)
{
    QImage image(w, h, QImage::Format_ARGB32);
    image.fill(colour);
    return image;
}

TEST(StripImageEncoding, PartsAnchorsAndOpacityReadBackThroughTheProductReader)
{
    StripImage strip;
    strip.add_part(solid(10, 6, QColor(200, 10, 10, 255)), QPoint(3, 2));
    strip.add_part(solid(7, 4, QColor(0, 0, 0, 0)));
    strip.add_part(solid(10, 5, QColor(10, 200, 10, 128)), QPoint(9, 3));
    const auto image = strip.build();
    ASSERT_TRUE(image);
    const auto read = read_back(*image);
    ASSERT_TRUE(read.valid());
    ASSERT_EQ(read.part_count(), 3u) << "no empty trailing part: the last row carries its marker";
    EXPECT_EQ(*read.part(0), (skins::StripPart { 0, 6, 3, 2 }));
    EXPECT_EQ(*read.part(1), (skins::StripPart { 6, 4, 0, 0 }));
    EXPECT_EQ(*read.part(2), (skins::StripPart { 10, 5, 9, 3 }));
    // Markers keep the opacity of the pixel beside them in their red byte.
    EXPECT_EQ(read.picture()->colour(10 + 3, 2).red, 255);
    EXPECT_EQ(read.picture()->colour(10, 9).red, 0) << "transparent part stays transparent under its marker";
    EXPECT_EQ(read.picture()->colour(10 + 1, 12).red, 128);
}

TEST(StripImageEncoding, ValuesThatWouldLookGreyStayPresentAndGapsStayAbsent)
{
    StripImage strip;
    strip.add_part(solid(30, 8, QColor(50, 50, 50, 255)), QPoint(5, 4));
    strip.set_value(1, QPoint(255, 255));  // red 255 (opaque) would make (255, 255, 255)
    strip.set_value(3, QPoint(0, 0));
    strip.set_value(4, QPoint(300, -5));   // clamped into a byte
    const auto image = strip.build();
    ASSERT_TRUE(image);
    const auto read = read_back(*image);
    EXPECT_EQ(read.value(1, false), (skins::Point { 255, 255 }));
    EXPECT_FALSE(read.value(2, false)) << "an unset value in between reads as absent";
    EXPECT_EQ(read.value(3, false), (skins::Point { 0, 0 }));
    EXPECT_EQ(read.value(4, true), (skins::Point { 510, 0 }));
    EXPECT_EQ(read.part(0)->anchor_x, 5) << "the explicit anchor wins over value pixels in row 0";
}

TEST(StripImageEncoding, AnchorThatCannotBeEncodedFailsTheBuild)
{
    StripImage on_boundary_column;
    on_boundary_column.add_part(solid(8, 8, Qt::white), QPoint(0, 3));
    EXPECT_FALSE(on_boundary_column.build());
    StripImage on_last_row;
    on_last_row.add_part(solid(8, 8, Qt::white), QPoint(3, 7));
    EXPECT_FALSE(on_last_row.build()) << "a marker on the last row would belong to the next part";
    EXPECT_FALSE(StripImage().build());
}

class LandFile : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_FALSE(m_dir.path().empty()); }
    std::optional<LandShapes> read(const std::string& text)
    {
        std::ofstream(m_dir / "land.poly") << text;
        return read_land_shapes(m_dir / "land.poly");
    }
    zt::platform::testing::TempFolder m_dir { "zt_land" };
};

TEST_F(LandFile, ReadsRingsAndRefusesDamagedInput)
{
    const auto land = read("ring 3\n0 0\n10 0\n10 10\nring 4\n-180 -90\n180 -90\n180 -80\n-180 -80\n");
    ASSERT_TRUE(land);
    ASSERT_EQ(land->rings.size(), 2u);
    EXPECT_EQ(land->rings[1][1], QPointF(180, -90));
    EXPECT_FALSE(read("ring 3\n0 0\n10 0\n")) << "truncated ring";
    EXPECT_FALSE(read("ring 3\n0 0\n10 0\n10 95\n")) << "latitude beyond the pole";
    EXPECT_FALSE(read("polygon 3\n0 0\n1 1\n2 2\n"));
    EXPECT_FALSE(read("ring 2\n0 0\n1 1\n")) << "a ring needs three points";
    EXPECT_FALSE(read_land_shapes(m_dir / "missing.poly"));
}

}  // namespace
}  // namespace zt::skinart
