#include "skins/image_strip.h"

#include <gtest/gtest.h>

#include "skins/testing/test_images.h"

namespace zt::skins {
namespace {

using testing::StripBuilder;

TEST(ImageStripParts, MarkersInTheFirstColumnCloseParts) {
    CImageStrip strip(StripBuilder(10, 30).boundary(9).boundary(19).boundary(29).build());
    ASSERT_TRUE(strip.valid());
    ASSERT_EQ(strip.part_count(), 3u);
    EXPECT_EQ(*strip.part(0), (StripPart { 0, 10, 0, 0 }));
    EXPECT_EQ(*strip.part(1), (StripPart { 10, 10, 0, 0 }));
    EXPECT_EQ(*strip.part(2), (StripPart { 20, 10, 0, 0 }));
    EXPECT_EQ(strip.tallest_part(), 10);
    EXPECT_FALSE(strip.part(3));
    EXPECT_FALSE(strip.part(-1));
}

TEST(ImageStripParts, GreyPixelsAreOpacitiesNotMarkers) {
    StripBuilder builder(10, 30);
    builder.fill({ 1, 2, 3 }, 128).raw(10, 5, { 128, 128, 128 }).raw(10, 6, { 255, 255, 255 }).boundary(29);
    CImageStrip strip(builder.build());
    ASSERT_EQ(strip.part_count(), 1u);
    EXPECT_EQ(strip.part(0)->height, 30);
}

TEST(ImageStripParts, LastRowWithoutMarkerEndsWithAnEmptyPart) {
    CImageStrip strip(StripBuilder(4, 12).boundary(5).build());
    ASSERT_EQ(strip.part_count(), 2u);
    EXPECT_EQ(*strip.part(1), (StripPart { 6, 0, 0, 0 }));
    CImageStrip plain(StripBuilder(4, 12).build());
    ASSERT_EQ(plain.part_count(), 1u);
    EXPECT_EQ(plain.part(0)->height, 0);
}

TEST(ImageStripParts, AnchorsAreRelativeToThePartAndTheLastOneWins) {
    StripBuilder builder(10, 20);
    builder.anchor(3, 2).anchor(4, 6).boundary(9).anchor(7, 15).boundary(19);
    CImageStrip strip(builder.build());
    ASSERT_EQ(strip.part_count(), 2u);
    EXPECT_EQ(strip.part(0)->anchor_x, 4);
    EXPECT_EQ(strip.part(0)->anchor_y, 6);
    EXPECT_EQ(strip.part(1)->anchor_x, 7);
    EXPECT_EQ(strip.part(1)->anchor_y, 5) << "row 15 is row 5 of the part starting at 10";
}

TEST(ImageStripParts, InvalidPicturesHaveNoParts) {
    CImageStrip odd(*CPicture::create(5, 4));
    EXPECT_FALSE(odd.valid());
    EXPECT_EQ(odd.part_count(), 0u);
    EXPECT_FALSE(odd.part(0));
    CImageStrip narrow(*CPicture::create(1, 4));
    EXPECT_FALSE(narrow.valid());
    CImageStrip empty;
    EXPECT_FALSE(empty.valid());
    EXPECT_FALSE(empty.value(1, false));
}

TEST(ImageStripValues, ValuePixelsGiveGreenAndBlueDoubledOnHighResolution) {
    StripBuilder builder(10, 4);
    builder.value(1, 30, 40).value(3, 200, 7).boundary(3);
    CImageStrip strip(builder.build());
    EXPECT_EQ(strip.value(1, false), (Point { 30, 40 }));
    EXPECT_EQ(strip.value(1, true), (Point { 60, 80 }));
    EXPECT_FALSE(strip.value(2, false)) << "a grey value pixel means absent";
    EXPECT_EQ(strip.value(3, false), (Point { 200, 7 }));
    EXPECT_FALSE(strip.value(0, false)) << "column w is the boundary column, not a value";
    EXPECT_FALSE(strip.value(10, false)) << "past the right half";
    EXPECT_EQ(strip.value_colour(3), (Rgb { 1, 200, 7 }));
}

}  // namespace
}  // namespace zt::skins
