#include <gtest/gtest.h>

#include <cmath>

#include "platform/gui/testing/gui_test_app.h"
#include "skins/clocks/analog_clock.h"
#include "skins/clocks/digital_clock.h"
#include "skins/digits.h"
#include "skins/testing/skin_fixture.h"
#include "skins/testing/test_images.h"

namespace zt::skins {
namespace {

using testing::StripBuilder;

constexpr SkinScreen kSmall { false, 5 };
constexpr Rgb kBlack {};
constexpr Rgb kHourColour { 255, 0, 0 };
constexpr Rgb kMinuteColour { 0, 255, 0 };
constexpr Rgb kSecondColour { 0, 0, 255 };
constexpr Rgb kIconColour { 200, 200, 200 };
const Rgb kBadgeColours[3] = { { 250, 120, 0 }, { 0, 120, 250 }, { 120, 0, 120 } };

platform::SYSTEMTIME at(int hour, int minute, int second) {
    platform::SYSTEMTIME t { 2026, 12, 2, 8, static_cast<uint16_t>(hour), static_cast<uint16_t>(minute),
                             static_cast<uint16_t>(second), 0 };
    return t;
}

// A hand pointing to 3 o'clock, 3 pixels thick, its pivot at (1, 1).
CPicture hand(int32_t length, Rgb colour) {
    StripBuilder strip(length, 3);
    for (int32_t y = 0; y < 3; ++y)
        for (int32_t x = 0; x < length; ++x) strip.colour(x, y, colour).opacity(x, y, 255);
    return strip.anchor(1, 1).boundary(2).build();
}

// One solid part per colour, each `height` rows.
CPicture solid_parts(int32_t width, int32_t height, std::initializer_list<Rgb> colours) {
    StripBuilder strip(width, height * static_cast<int32_t>(colours.size()));
    int32_t top = 0;
    for (Rgb colour : colours) {
        for (int32_t y = top; y < top + height; ++y)
            for (int32_t x = 0; x < width; ++x) strip.colour(x, y, colour).opacity(x, y, 255);
        top += height;
        strip.boundary(top - 1);
    }
    return strip.build();
}

class ClockFaceTest : public testing::SkinDeviceTest {
protected:
    void SetUp() override {
        testing::SkinDeviceTest::SetUp();
        platform::gui::testing::gui_test_app();
        add_skin(u"Default");
        put(u"HArrow.png", hand(30, kHourColour));
        put(u"MArrow.png", hand(45, kMinuteColour));
        put(u"SArrow.png", hand(50, kSecondColour));
        put(u"AlarmSetIcon.png", solid_parts(10, 10, { kIconColour }));
        put(u"alarm_markers.png", solid_parts(4, 4, { kBadgeColours[0], kBadgeColours[1], kBadgeColours[2] }));
    }
    void put(const std::u16string& name, const CPicture& picture) { add_file(u"Default", name, testing::png_file_of(picture)); }
    // A 120 x 120 dial centred on (60, 60), with the given value pixels.
    void put_dial(std::initializer_list<std::pair<int, Point>> values) {
        StripBuilder dial(120, 120);
        dial.anchor(60, 60).boundary(119);
        for (const auto& [n, p] : values) dial.value(n, static_cast<uint8_t>(p.x), static_cast<uint8_t>(p.y));
        put(u"Clock.png", dial.build());
    }
    CSkinManager& skins() {
        if (!m_skins) {
            m_skins = std::make_unique<CSkinManager>(kSmall);
            m_skins->build_skin_list(SkinConsumer::Any);
            EXPECT_TRUE(m_skins->load_skin(u"Default", false));
        }
        return *m_skins;
    }
    std::unique_ptr<CSkinManager> m_skins;
};

TEST(ClockGeometry, HandAnglesAndAlarmPlacesFollowTheClock) {
    const HandAngles three = hand_angles(3, 0, 0);
    EXPECT_EQ(hand_rotation(three.hour), 0) << "hour hand to the right";
    EXPECT_EQ(hand_rotation(three.minute), 270) << "minute hand up";
    EXPECT_EQ(hand_angles(18, 30, 0).hour, 555);
    EXPECT_EQ(hand_rotation(555), 105);
    EXPECT_EQ(hand_angles(0, 59, 59), (HandAngles { 29, 359, 354 })) << "integer divisions";

    const Point centre { 100, 100 };
    EXPECT_EQ(analog_alarm_position(centre, 50, 0, 0), (Point { 100, 50 }));
    EXPECT_EQ(analog_alarm_position(centre, 50, 15, 0), (Point { 150, 100 })) << "afternoon hours on the same dial";
    EXPECT_EQ(analog_alarm_position(centre, 50, 6, 0), (Point { 100, 150 }));

    const BarGeometry bars { 240, 12, 14, 20, 0, false };
    EXPECT_EQ(bar_alarm_position(bars, 0, 0), (Point { 12, 5 }));
    EXPECT_EQ(bar_alarm_position(bars, 12, 0), (Point { 240 - 14, 5 })) << "noon: the right bar's top";
    EXPECT_EQ(bar_alarm_position(bars, 23, 59), (Point { 226, 5 + 719 * 17 / 60 }));
    const BarGeometry big { 480, 4, 4, 40, 0, true };
    EXPECT_EQ(bar_alarm_position(big, 6, 30), (Point { 20, 10 + 390 * 34 / 60 })) << "half the icon beats a slim bar";
}

TEST(ClockGeometry, PointsTurnBackIntoTimesOnBothFaces) {
    const Point centre { 100, 100 };
    EXPECT_EQ(analog_time_at(centre, { 150, 100 }, 14), (DayTime { 15, 0 })) << "afternoon stays afternoon";
    EXPECT_EQ(analog_time_at(centre, { 100, 150 }, 5), (DayTime { 6, 0 }));
    EXPECT_EQ(analog_time_at(centre, { 50, 50 }, 8), (DayTime { 10, 30 })) << "315 degrees";
    EXPECT_EQ(analog_time_at(centre, { 150, 50 }, 23), (DayTime { 1, 30 })) << "11 PM across 12 o'clock: morning";
    EXPECT_EQ(analog_time_at(centre, { 50, 50 }, 0), (DayTime { 22, 30 }))
        << "back across 12 o'clock from just after midnight: the evening before";
    EXPECT_EQ(analog_time_at(centre, { 99, 0 }, 12), (DayTime { 11, 58 })) << "359 degrees: back from noon into the morning";

    const BarGeometry bars { 240, 12, 14, 20, 0, false };
    EXPECT_EQ(bar_time_at(bars, bar_alarm_position(bars, 6, 0)), (DayTime { 6, 0 }));
    EXPECT_EQ(bar_time_at(bars, bar_alarm_position(bars, 18, 0)), (DayTime { 18, 0 }));
    EXPECT_EQ(bar_time_at(bars, { 230, 10'000 }), (DayTime { 24, 0 })) << "below the right bar: the day's end";
    EXPECT_EQ(bar_time_at(bars, { 10, -50 }), (DayTime { 0, 0 }));
}

TEST_F(ClockFaceTest, DialIsPlacedByItsValuePixelsOrCentred) {
    put_dial({ { 5, { 40, 0 } } });
    CAnalogClockFace face;
    ASSERT_TRUE(face.load(skins()));
    face.place({ 240, 260, false, false, false });
    EXPECT_EQ(face.dial_top_left(), (Point { 60, 70 })) << "a grey first value centres the dial";
    EXPECT_EQ(face.centre(), (Point { 120, 130 }));
    EXPECT_EQ(face.alarm_radius(), 40);

    put_dial({ { 1, { 1, 2 } }, { 2, { 3, 4 } }, { 3, { 5, 6 } }, { 4, { 7, 8 } } });
    skins().release_image_cache();
    ASSERT_TRUE(face.load(skins()));
    const std::pair<ClockPlacement, Point> layouts[] = {
        { { 240, 260, false, false, false }, { 1, 2 } }, { { 240, 320, false, true, false }, { 3, 4 } },
        { { 290, 240, true, false, false }, { 5, 6 } },  { { 320, 240, true, true, false }, { 7, 8 } },
        { { 480, 520, false, false, true }, { 2, 4 } },
    };
    for (const auto& [placement, expected] : layouts) {
        face.place(placement);
        EXPECT_EQ(face.dial_top_left(), expected) << placement.width << "x" << placement.height;
    }
    EXPECT_EQ(face.centre(), (Point { 62, 64 }));
    EXPECT_EQ(face.alarm_radius(), 220) << "no radius value: 110, doubled on a large screen";
}

TEST_F(ClockFaceTest, MissingHandOrIconMakesTheAnalogFaceUnusable) {
    put_dial({});
    CAnalogClockFace face;
    EXPECT_TRUE(face.load(skins()));
    add_file(u"Default", u"SArrow.png", { 1, 2, 3 });  // not a picture
    skins().release_image_cache();
    EXPECT_FALSE(face.load(skins()));
    EXPECT_FALSE(face.loaded());
}

// The colour at `distance` pixels from the centre in the direction of a clock angle.
Rgb colour_toward(const CPicture& canvas, Point centre, int degrees, int distance) {
    const double theta = degrees * 3.14159265358979 / 180.0;
    return canvas.colour(centre.x + static_cast<int32_t>(std::lround(distance * std::sin(theta))),
                         centre.y - static_cast<int32_t>(std::lround(distance * std::cos(theta))));
}

TEST_F(ClockFaceTest, HandsPointAtTheTimeAndAlarmsCarryTheirBadges) {
    put_dial({ { 5, { 55, 0 } } });
    CAnalogClockFace face;
    ASSERT_TRUE(face.load(skins()));
    face.place({ 240, 240, true, false, false });
    const Point c = face.centre();
    const AlarmMark alarms[] = { { 9, 0, true }, { 21, 30, false }, { 14, 0, true } };
    CPicture canvas = *CPicture::create(240, 240);
    face.compose(canvas, at(3, 0, 0), { false, true, false, false }, alarms);
    EXPECT_EQ(colour_toward(canvas, c, 90, 20), kHourColour) << "03:00:00: hour hand to the right";
    EXPECT_EQ(colour_toward(canvas, c, 0, 35), kMinuteColour) << "minute hand up";
    EXPECT_EQ(colour_toward(canvas, c, 0, 48), kBlack) << "no second hand while seconds are hidden";

    const Point morning = analog_alarm_position(c, 55, 9, 0);
    EXPECT_EQ(canvas.colour(morning.x - 4, morning.y - 4), kIconColour);
    EXPECT_EQ(canvas.colour(morning.x + 3, morning.y + 3), kBadgeColours[kMorningBadge]);
    const Point disabled = analog_alarm_position(c, 55, 21, 30);
    EXPECT_EQ(canvas.colour(disabled.x + 3, disabled.y + 3), kBadgeColours[kDisabledBadge]) << "whatever its hour";
    const Point afternoon = analog_alarm_position(c, 55, 14, 0);
    EXPECT_EQ(canvas.colour(afternoon.x + 3, afternoon.y + 3), kBadgeColours[kAfternoonBadge]);

    CPicture seconds = *CPicture::create(240, 240);
    face.compose(seconds, at(3, 0, 15), { true, false, false, false }, alarms);
    EXPECT_EQ(colour_toward(seconds, c, 90, 20), kSecondColour) << "the second hand is drawn last, over the hour hand";
    EXPECT_EQ(seconds.colour(morning.x - 4, morning.y - 4), kBlack) << "no alarms while they are hidden";

    CPicture evening = *CPicture::create(240, 240);
    face.compose(evening, at(18, 30, 0), { false, false, false, false }, alarms);
    EXPECT_EQ(colour_toward(evening, c, 195, 20), kHourColour) << "18:30: rotation 105, just past 6 o'clock";
    EXPECT_EQ(colour_toward(evening, c, 180, 35), kMinuteColour);
}

// Digits whose glyph i is a solid block of colour (i * 20, 100, 50).
Rgb glyph_colour(int glyph) { return { static_cast<uint8_t>(glyph * 18 + 10), 100, 50 }; }
CPicture glyph_strip(int32_t width, int32_t height, int count) {
    StripBuilder strip(width, height * count);
    for (int g = 0; g < count; ++g) {
        for (int32_t y = g * height; y < (g + 1) * height; ++y)
            for (int32_t x = 0; x < width; ++x) strip.colour(x, y, glyph_colour(g)).opacity(x, y, 255);
        strip.boundary((g + 1) * height - 1);
    }
    return strip.build();
}

class DigitalFaceTest : public ClockFaceTest {
protected:
    void SetUp() override {
        ClockFaceTest::SetUp();
        put(u"Digits.png", glyph_strip(20, 30, 11));
        put(u"SmallDigits.png", glyph_strip(8, 10, 13));
        for (const char16_t* bar : { u"TimeBar_1.png", u"TimeBar_2.png", u"TimeBar_AM.png", u"TimeBar_PM.png" })
            put(bar, solid_parts(6, 210, { { 90, 90, 90 } }));
    }
    // The glyph drawn with its bottom on the baseline at the pen, found by its colour.
    static void expect_glyphs(const CPicture& canvas, Point pen, int32_t advance, std::initializer_list<int> glyphs) {
        for (int glyph : glyphs) {
            EXPECT_EQ(canvas.colour(pen.x + 1, pen.y - 2), glyph_colour(glyph)) << "glyph " << glyph << " at x " << pen.x;
            pen.x += advance;
        }
    }
};

TEST_F(DigitalFaceTest, TimeIsDrawnAtTheComputedPensInBothClockModes) {
    CDigitalClockFace face;
    ASSERT_TRUE(face.load(skins(), false));
    face.place({ 240, 280, false, false, false });
    const ClockShow shown { true, true, false, false };
    const DigitPens pens = face.pens(shown);
    EXPECT_EQ(pens.digits, (Point { (6 + 240 - 100 - 16 - 6) / 2, (280 + 30) / 2 }));
    CPicture canvas = *CPicture::create(240, 280);
    face.compose(canvas, at(12, 34, 56), shown, {}, {});
    expect_glyphs(canvas, pens.digits, 20, { 1, 2, kSeparatorGlyph, 3, 4 });
    expect_glyphs(canvas, { pens.digits.x + 100, pens.digits.y }, 8, { 5, 6 });

    ASSERT_TRUE(face.load(skins(), true));
    face.place({ 240, 280, false, false, false });
    const ClockShow twelve { false, false, true, true };
    const DigitPens twelve_pens = face.pens(twelve);
    EXPECT_EQ(twelve_pens.digits, (Point { (240 - 100 - 16) / 2, (280 + 30) / 2 - 40 })) << "room for AM/PM; calendar lifts";
    CPicture afternoon = *CPicture::create(240, 280);
    face.compose(afternoon, at(0, 34, 56), twelve, {}, platform::gui::calendar_locale_named(u"en_US"));
    expect_glyphs(afternoon, twelve_pens.digits, 20, { 1, 2, kSeparatorGlyph, 3, 4 });
    EXPECT_EQ(twelve_pens.am_pm, (Point { twelve_pens.digits.x + 100, twelve_pens.digits.y + 10 - 30 }))
        << "the mark's top lines up with the digits' top";
    expect_glyphs(afternoon, twelve_pens.am_pm, 8, { kGlyphA, kGlyphM });
}

TEST_F(DigitalFaceTest, FaceRectanglesPlaceTheTimeAndShiftOnWiderScreens) {
    StripBuilder dclock(240, 100);
    dclock.boundary(99).value(1, 20, 10).value(2, 120, 60).value(3, 130, 40).value(4, 150, 60).value(5, 130, 10)
        .value(6, 150, 30);
    put(u"DClock.png", dclock.build());
    CDigitalClockFace face;
    ASSERT_TRUE(face.load(skins(), true));
    face.place({ 300, 240, true, false, false });
    const DigitPens pens = face.pens({ true, true, true, true });
    EXPECT_EQ(pens.digits, (Point { 50, 60 })) << "rectangle 1 moved by half of the 60 extra pixels";
    EXPECT_EQ(pens.seconds, (Point { 160, 60 }));
    EXPECT_EQ(pens.am_pm, (Point { 160, 30 }));
    CPicture canvas = *CPicture::create(300, 240);
    face.compose(canvas, at(13, 5, 9), { true, false, false, true }, {}, {});
    expect_glyphs(canvas, pens.digits, 20, { 0, 1, kSeparatorGlyph, 0, 5 });
    expect_glyphs(canvas, pens.seconds, 8, { 0, 9 });
    expect_glyphs(canvas, pens.am_pm, 8, { kGlyphP, kGlyphM });
}

TEST_F(DigitalFaceTest, AlarmsSitOnTheBarsOfTheClockMode) {
    put(u"TimeBar_AM.png", solid_parts(6, 210, { { 10, 200, 10 } }));
    CDigitalClockFace face;
    ASSERT_TRUE(face.load(skins(), true));
    face.place({ 240, 280, false, false, false });
    CPicture canvas = *CPicture::create(240, 280);
    const AlarmMark alarms[] = { { 0, 0, true }, { 12, 0, true } };
    face.compose(canvas, at(8, 0, 0), { false, true, false, true }, alarms, {});
    EXPECT_EQ(canvas.colour(2, 100), (Rgb { 10, 200, 10 })) << "the morning bar in 12-hour mode";
    EXPECT_EQ(canvas.colour(5 + 4, 5 + 4), kBadgeColours[kMorningBadge]) << "00:00 at the left bar's top";
    EXPECT_EQ(canvas.colour(240 - 6 + 4, 5 + 4), kBadgeColours[kAfternoonBadge]) << "12:00 at the right bar's top";
}

}  // namespace
}  // namespace zt::skins
