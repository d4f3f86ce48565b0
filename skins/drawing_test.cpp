#include "skins/drawing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "skins/opacity.h"
#include "skins/testing/test_images.h"

namespace zt::skins {
namespace {

using testing::gradient_picture;
using testing::solid_picture;
using testing::StripBuilder;

constexpr Rgb kBackground { 10, 20, 30 };

// A w x h part filled with a gradient (red = x*16+1, green = y*16+1), fully opaque, with its
// boundary on the last row and an anchor.
CImageStrip opaque_hand(int32_t w, int32_t h, int32_t anchor_x, int32_t anchor_y) {
    StripBuilder builder(w, h);
    for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x)
            builder.colour(x, y, { static_cast<uint8_t>(x * 16 + 1), static_cast<uint8_t>(y * 16 + 1), 7 }).opacity(x, y, 255);
    if (anchor_x > 0) builder.anchor(anchor_x, anchor_y);
    builder.boundary(h - 1);
    return CImageStrip(builder.build());
}

TEST(DrawPart, OpacityExtremesCopyOrLeaveAndMiddleBlends) {
    StripBuilder builder(3, 1);
    builder.colour(0, 0, { 200, 100, 50 }).opacity(0, 0, 255);
    builder.colour(1, 0, { 200, 100, 50 }).opacity(1, 0, 0);
    builder.colour(2, 0, { 200, 100, 50 }).opacity(2, 0, 128);
    builder.boundary(0);
    CImageStrip strip(builder.build());
    CPicture canvas = solid_picture(3, 1, kBackground);
    draw_part(canvas, strip, 0, 0, 0, 0, 0);
    EXPECT_EQ(canvas.colour(0, 0), (Rgb { 200, 100, 50 })) << "255 copies exactly";
    EXPECT_EQ(canvas.colour(1, 0), kBackground) << "0 leaves the destination";
    // (d * (255 - 128) + c * 128) / 256
    EXPECT_EQ(canvas.colour(2, 0), (Rgb { (10 * 127 + 200 * 128) / 256, (20 * 127 + 100 * 128) / 256, (30 * 127 + 50 * 128) / 256 }));
}

TEST(DrawPart, GlobalOpacityScalesThePixelOpacity) {
    StripBuilder builder(1, 1);
    builder.colour(0, 0, { 255, 255, 255 }).opacity(0, 0, 255).boundary(0);
    CImageStrip strip(builder.build());
    CPicture canvas = solid_picture(1, 1, { 0, 0, 0 });
    {
        ScopedOpacity fade(128, kOpaque);
        draw_part(canvas, strip, 0, 0, 0, 0, 0);
    }
    // a = 255 * 128 / 256 = 127; 255 * 127 / 256 = 126
    EXPECT_EQ(canvas.colour(0, 0), (Rgb { 126, 126, 126 }));
    {
        ScopedOpacity hidden(0, kOpaque);
        CPicture untouched = solid_picture(1, 1, kBackground);
        draw_part(untouched, strip, 0, 0, 0, 0, 0);
        EXPECT_EQ(untouched.colour(0, 0), kBackground);
    }
    EXPECT_EQ(global_opacity(), kOpaque) << "the scope restores the opacity";
}

TEST(DrawPart, LaterPartsOffsetsAndClipping) {
    StripBuilder builder(2, 4);
    builder.fill({ 0, 0, 0 }, 255).boundary(1).boundary(3);
    builder.colour(0, 2, { 1, 1, 1 }).colour(1, 2, { 2, 2, 2 }).colour(0, 3, { 3, 3, 3 }).colour(1, 3, { 4, 4, 4 });
    CImageStrip strip(builder.build());
    CPicture canvas = solid_picture(4, 4, kBackground);
    draw_part(canvas, strip, 1, 0, 0, 1, 1);
    EXPECT_EQ(canvas.colour(1, 1), (Rgb { 1, 1, 1 }));
    EXPECT_EQ(canvas.colour(2, 2), (Rgb { 4, 4, 4 }));
    EXPECT_EQ(canvas.colour(0, 0), kBackground);
    // Source offset (1, 1): only the bottom-right pixel of the part.
    CPicture offset = solid_picture(4, 4, kBackground);
    draw_part(offset, strip, 1, 1, 1, 0, 0);
    EXPECT_EQ(offset.colour(0, 0), (Rgb { 4, 4, 4 }));
    EXPECT_EQ(offset.colour(1, 0), kBackground);
    EXPECT_EQ(offset.colour(0, 1), kBackground) << "the next part is never read";
    // Half off every edge.
    CPicture clipped = solid_picture(4, 4, kBackground);
    draw_part(clipped, strip, 1, 0, 0, -1, -1);
    EXPECT_EQ(clipped.colour(0, 0), (Rgb { 4, 4, 4 }));
    draw_part(clipped, strip, 1, 0, 0, 3, 3);
    EXPECT_EQ(clipped.colour(3, 3), (Rgb { 1, 1, 1 }));
    draw_part(clipped, strip, 5, 0, 0, 0, 0);  // no such part: nothing
    draw_part(clipped, strip, 1, 0, 0, 1000000, -1000000);
}

TEST(DrawPart, ScaledStripDrawsAtDoubleSize) {
    CImageStrip strip = opaque_hand(2, 2, 0, 0);
    CPicture picture = *CPicture::create(4, 2);
    std::memcpy(picture.bits(), strip.picture()->bits(), picture.byte_size());
    picture.set_scaled(true);
    CImageStrip scaled(std::move(picture));
    CPicture canvas = solid_picture(5, 5, kBackground);
    draw_part(canvas, scaled, 0, 0, 0, 0, 0);
    for (int32_t y = 0; y < 4; ++y)
        for (int32_t x = 0; x < 4; ++x)
            EXPECT_EQ(canvas.colour(x, y), (Rgb { static_cast<uint8_t>((x / 2) * 16 + 1), static_cast<uint8_t>((y / 2) * 16 + 1), 7 }));
    EXPECT_EQ(canvas.colour(4, 4), kBackground);
}

TEST(DrawRotated, SineTableAndFortyFiveDegrees) {
    EXPECT_EQ(sine_table(0), 0);
    EXPECT_EQ(sine_table(90), 128);
    EXPECT_EQ(sine_table(45), 91);
    const int32_t first[] = { 0, 2, 4, 7, 9, 11, 13, 16 };
    for (int k = 0; k < 8; ++k) EXPECT_EQ(sine_table(k), first[k]);
    for (int k = 1; k <= 90; ++k) EXPECT_GE(sine_table(k), sine_table(k - 1));
}

TEST(DrawRotated, ZeroDegreesIsThePartAtItsAnchor) {
    CImageStrip hand = opaque_hand(5, 3, 1, 1);
    CPicture rotated = solid_picture(12, 12, kBackground);
    CPicture straight = solid_picture(12, 12, kBackground);
    draw_rotated(rotated, hand, 6, 6, 0);
    draw_part(straight, hand, 0, 0, 0, 5, 5);
    for (int32_t y = 0; y < 12; ++y)
        for (int32_t x = 0; x < 12; ++x) ASSERT_EQ(rotated.colour(x, y), straight.colour(x, y)) << x << "," << y;
    CPicture negative = solid_picture(12, 12, kBackground);
    draw_rotated(negative, hand, 6, 6, -30);
    EXPECT_EQ(std::memcmp(negative.bits(), rotated.bits(), rotated.byte_size()), 0) << "negative angles count as 0";
}

TEST(DrawRotated, QuarterTurnsAreExact) {
    const int32_t w = 5, h = 3, ax = 1, ay = 1, cx = 8, cy = 8;
    CImageStrip hand = opaque_hand(w, h, ax, ay);
    for (int32_t degrees : { 90, 180, 270, 360 + 90 }) {
        CPicture canvas = solid_picture(17, 17, kBackground);
        draw_rotated(canvas, hand, cx, cy, degrees);
        int32_t drawn = 0;
        for (int32_t py = 0; py < h; ++py) {
            for (int32_t px = 0; px < w; ++px) {
                int32_t dx = px - ax, dy = py - ay;
                // Clockwise on screen (y grows downwards).
                int32_t rx = dx, ry = dy;
                for (int turn = 0; turn < (degrees / 90) % 4; ++turn) {
                    int32_t t = rx;
                    rx = -ry;
                    ry = t;
                }
                ASSERT_EQ(canvas.colour(cx + rx, cy + ry), hand.picture()->colour(px, py)) << degrees << " degrees, pixel " << px << "," << py;
                ++drawn;
            }
        }
        int32_t changed = 0;
        for (int32_t y = 0; y < 17; ++y)
            for (int32_t x = 0; x < 17; ++x) changed += !(canvas.colour(x, y) == kBackground);
        EXPECT_EQ(changed, drawn) << degrees << " degrees draws nothing beyond the turned part";
    }
}

TEST(DrawRotated, ClockHandConventionRightIsZeroUpIsTwoSeventy) {
    // A 4 x 1 hand pointing right from its anchor at (0, 0).
    CImageStrip hand = opaque_hand(4, 1, 0, 0);
    CPicture canvas = solid_picture(9, 9, kBackground);
    draw_rotated(canvas, hand, 4, 4, 270);
    EXPECT_EQ(canvas.colour(4, 1), hand.picture()->colour(3, 0)) << "the tip points up";
    EXPECT_EQ(canvas.colour(7, 4), kBackground);
}

TEST(DrawRotated, TransparentSamplesLeaveTheDestination) {
    StripBuilder builder(3, 3);
    builder.fill({ 255, 255, 255 }, 0).raw(3, 2, { 0, 0, 255 });  // a boundary that reads as transparent
    CImageStrip clear(builder.build());
    ASSERT_EQ(clear.part(0)->height, 3);
    CPicture canvas = solid_picture(10, 10, kBackground);
    draw_rotated(canvas, clear, 5, 5, 37);
    for (int32_t y = 0; y < 10; ++y)
        for (int32_t x = 0; x < 10; ++x) ASSERT_EQ(canvas.colour(x, y), kBackground);
    CImageStrip invalid;
    draw_rotated(canvas, invalid, 5, 5, 10);
}

TEST(DrawRotated, FortyFiveDegreesStaysInsideTheTurnedBox) {
    CImageStrip hand = opaque_hand(8, 2, 0, 0);
    CPicture canvas = solid_picture(20, 20, kBackground);
    draw_rotated(canvas, hand, 2, 2, 45);
    // The tip of an 8-pixel hand at 45 degrees lies near (2 + 8 * 91/128, 2 + 8 * 91/128).
    EXPECT_FALSE(canvas.colour(6, 6) == kBackground);
    EXPECT_EQ(canvas.colour(15, 2), kBackground);
    EXPECT_EQ(canvas.colour(2, 15), kBackground);
}

TEST(CopyWithOpacity, CopyOpacityDecides) {
    CPicture source = gradient_picture(3, 3);
    {
        CPicture canvas = solid_picture(4, 4, kBackground);
        copy_with_opacity(canvas, source, 1, 1, 2, 2, 0, 0);
        EXPECT_EQ(canvas.colour(0, 0), source.colour(1, 1));
        EXPECT_EQ(canvas.colour(1, 1), source.colour(2, 2));
        EXPECT_EQ(canvas.colour(2, 2), kBackground);
    }
    {
        ScopedOpacity none(kOpaque, 0);
        CPicture canvas = solid_picture(4, 4, kBackground);
        copy_with_opacity(canvas, source, 0, 0, 3, 3, 0, 0);
        EXPECT_EQ(canvas.colour(0, 0), kBackground);
    }
    {
        ScopedOpacity half(kOpaque, 128);
        CPicture canvas = solid_picture(1, 1, { 0, 0, 0 });
        CPicture white = solid_picture(1, 1, { 255, 255, 255 });
        copy_with_opacity(canvas, white, 0, 0, 1, 1, 0, 0);
        EXPECT_EQ(canvas.colour(0, 0), (Rgb { 127, 127, 127 }));
    }
    {
        ScopedOpacity both(128, 128);
        CPicture canvas = solid_picture(1, 1, { 0, 0, 0 });
        CPicture white = solid_picture(1, 1, { 255, 255, 255 });
        copy_with_opacity(canvas, white, 0, 0, 1, 1, 0, 0);
        EXPECT_EQ(canvas.colour(0, 0), (Rgb { 63, 63, 63 })) << "the global opacity applies on top";
    }
    CPicture canvas = solid_picture(2, 2, kBackground);
    copy_with_opacity(canvas, source, -5, -5, 100, 100, -3, 7);  // clipped away, no crash
}

TEST(CopyQuarterTurn, TopRowBecomesLeftColumnWithItsRightEndAtTheTop) {
    CPicture source = gradient_picture(3, 2);
    CPicture canvas = solid_picture(4, 5, kBackground);
    copy_quarter_turn(canvas, source, { 0, 0, 3, 2 }, 1, 1);
    for (int32_t sy = 0; sy < 2; ++sy)
        for (int32_t sx = 0; sx < 3; ++sx) EXPECT_EQ(canvas.colour(1 + sy, 1 + (2 - sx)), source.colour(sx, sy));
    EXPECT_EQ(canvas.colour(0, 0), kBackground);
    EXPECT_EQ(canvas.colour(3, 4), kBackground);
}

TEST(CopyQuarterTurn, ClippedSourceKeepsEveryPixelWhereTheWholeRectangleWouldPutIt) {
    // The whole 5 x 2 rectangle from (1, 0) turned would put source (sx, sy) at
    // (x + sy, y + 5 - 1 - (sx - 1)); a 4-wide source cuts its last column, a row above the
    // source its first row, and every pixel that remains must stay where it would have been.
    CPicture source = gradient_picture(4, 2);
    for (const Rect rect : { Rect { 1, 0, 6, 2 }, Rect { 1, -1, 6, 2 }, Rect { -1, 0, 6, 2 } }) {
        CPicture canvas = solid_picture(6, 9, kBackground);
        copy_quarter_turn(canvas, source, rect, 1, 1);
        for (int32_t sy = 0; sy < 2; ++sy)
            for (int32_t sx = std::max(rect.left, 0); sx < 4; ++sx)
                EXPECT_EQ(canvas.colour(1 + sy - rect.top, 1 + rect.right - 1 - sx), source.colour(sx, sy))
                    << "source (" << sx << ", " << sy << ") of rectangle from " << rect.left << ", " << rect.top;
        // Where the cut-off right column would have gone (the top row) stays untouched.
        EXPECT_EQ(canvas.colour(1 - rect.top, 1), kBackground) << "rectangle from " << rect.left << ", " << rect.top;
    }
    // A scaled source moves by twice the cut.
    CPicture scaled = gradient_picture(2, 1);
    scaled.set_scaled(true);
    CPicture canvas = solid_picture(2, 6, kBackground);
    copy_quarter_turn(canvas, scaled, { 0, 0, 3, 1 }, 0, 0);
    EXPECT_EQ(canvas.colour(0, 1), kBackground) << "the cut column's two rows stay empty";
    EXPECT_EQ(canvas.colour(1, 2), scaled.colour(1, 0));
    EXPECT_EQ(canvas.colour(0, 5), scaled.colour(0, 0));
}

TEST(ScalePicture, StretchFitFillAndAlignment) {
    CPicture source = solid_picture(4, 2, { 200, 0, 0 });
    // Fit a 2:1 picture into 8 x 8, centred: rows 2..5 drawn.
    CPicture fit = solid_picture(8, 8, kBackground);
    ASSERT_TRUE(scale_picture(fit.view(), source.view(), scale_mode::kFit | scale_mode::kCentred));
    EXPECT_EQ(fit.colour(4, 1), kBackground);
    EXPECT_EQ(fit.colour(4, 2), (Rgb { 200, 0, 0 }));
    EXPECT_EQ(fit.colour(4, 5), (Rgb { 200, 0, 0 }));
    EXPECT_EQ(fit.colour(4, 6), kBackground);
    CPicture top = solid_picture(8, 8, kBackground);
    ASSERT_TRUE(scale_picture(top.view(), source.view(), scale_mode::kFit | scale_mode::kTopLeft));
    EXPECT_EQ(top.colour(0, 0), (Rgb { 200, 0, 0 }));
    EXPECT_EQ(top.colour(0, 4), kBackground);
    CPicture far = solid_picture(8, 8, kBackground);
    ASSERT_TRUE(scale_picture(far.view(), source.view(), scale_mode::kFit | scale_mode::kFarEdge));
    EXPECT_EQ(far.colour(0, 3), kBackground);
    EXPECT_EQ(far.colour(0, 4), (Rgb { 200, 0, 0 }));
    // Fill and stretch cover everything.
    for (uint32_t mode : { scale_mode::kFill, scale_mode::kStretch }) {
        CPicture full = solid_picture(8, 8, kBackground);
        ASSERT_TRUE(scale_picture(full.view(), source.view(), mode));
        for (int32_t y = 0; y < 8; ++y)
            for (int32_t x = 0; x < 8; ++x) ASSERT_EQ(full.colour(x, y), (Rgb { 200, 0, 0 })) << mode;
    }
}

TEST(ScalePicture, StretchSamplesInOrderAndUnknownModesDrawNothing) {
    CPicture source = gradient_picture(2, 1);
    CPicture wide = solid_picture(4, 1, kBackground);
    ASSERT_TRUE(scale_picture(wide.view(), source.view(), scale_mode::kStretch));
    EXPECT_EQ(wide.colour(0, 0), source.colour(0, 0));
    EXPECT_EQ(wide.colour(3, 0), source.colour(1, 0));
    EXPECT_GT(wide.colour(1, 0).red, source.colour(0, 0).red) << "bilinear between the two";
    CPicture untouched = solid_picture(4, 4, kBackground);
    EXPECT_FALSE(scale_picture(untouched.view(), source.view(), scale_mode::kFit | (3u << 8)));
    EXPECT_FALSE(scale_picture(untouched.view(), source.view(), 7));
    EXPECT_EQ(untouched.colour(0, 0), kBackground);
}

TEST(ScalePicture, TransparentSourceUsesItsRightHalfAsOpacity) {
    StripBuilder builder(2, 2);
    builder.fill({ 255, 255, 255 }, 255).opacity(0, 0, 0).opacity(0, 1, 0);
    CPicture source = builder.build();
    CPicture canvas = solid_picture(2, 2, kBackground);
    ASSERT_TRUE(scale_picture(canvas.view(), source.view(), scale_mode::kStretch | scale_mode::kTransparentSource));
    EXPECT_EQ(canvas.colour(0, 0), kBackground);
    EXPECT_EQ(canvas.colour(1, 1), (Rgb { 255, 255, 255 }));
}

TEST(BrightenAndFill, BrightenClampsAndClips) {
    CPicture canvas = solid_picture(3, 3, { 100, 200, 40 });
    brighten_rect(canvas, { 1, 1, 10, 10 }, 150);
    EXPECT_EQ(canvas.colour(0, 0), (Rgb { 100, 200, 40 }));
    EXPECT_EQ(canvas.colour(1, 1), (Rgb { 150, 255, 60 }));
    brighten_rect(canvas, { -5, -5, 1, 1 }, 50);
    EXPECT_EQ(canvas.colour(0, 0), (Rgb { 50, 100, 20 }));
    fill_picture(canvas, { 1, 2, 3 });
    EXPECT_EQ(canvas.colour(2, 2), (Rgb { 1, 2, 3 }));
}

TEST(PictureLayout, BottomUpRowsPaddedToFourBytes) {
    CPicture picture = *CPicture::create(3, 2);
    EXPECT_EQ(picture.stride(), 12);
    picture.set_colour(0, 0, { 9, 8, 7 });  // top-left lives in the last row in memory
    EXPECT_EQ(picture.bits()[12], 7);
    EXPECT_EQ(picture.bits()[13], 8);
    EXPECT_EQ(picture.bits()[14], 9);
    EXPECT_FALSE(CPicture::create(0, 5));
    EXPECT_FALSE(CPicture::create(5, -1));
    EXPECT_FALSE(CPicture::create(CPicture::kMaxSide + 1, 1));
}

}  // namespace
}  // namespace zt::skins
