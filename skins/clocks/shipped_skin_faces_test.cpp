// Every built-in skin draws both clocks at every screen size the device offers.
#include <gtest/gtest.h>

#include "platform/base/text.h"
#include "platform/gui/testing/gui_test_app.h"
#include "skins/clocks/analog_clock.h"
#include "skins/clocks/digital_clock.h"
#include "skins/testing/skin_fixture.h"

namespace zt::skins {
namespace {

// The clock area on each screen: below the task bar and beside or above the toolbar.
struct Screen {
    ClockPlacement placement;
    const char* name;
};
const Screen kScreens[] = {
    { { 240, 266, false, false, false }, "240x320" },
    { { 208, 214, true, false, false }, "320x240" },
    { { 480, 532, false, false, true }, "480x640" },
    { { 416, 428, true, false, true }, "640x480" },
};

// How many pixels differ from the top-left one: a face that drew nothing leaves none.
int drawn_pixels(const CPicture& canvas) {
    const Rgb first = canvas.colour(0, 0);
    int count = 0;
    for (int32_t y = 0; y < canvas.height(); ++y)
        for (int32_t x = 0; x < canvas.width(); ++x) count += !(canvas.colour(x, y) == first);
    return count;
}

class ShippedSkinFaces : public testing::SkinDeviceTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(ShippedSkinFaces, BothClocksLoadAndDrawAtEverySize) {
    platform::gui::testing::gui_test_app();
    const std::u16string name = platform::to_u16(GetParam());
    for (const char16_t* skin : { u"Default", name.c_str() }) add_shipped_skin(skin, ZT_SKINS_DIR);
    const AlarmMark alarms[] = { { 7, 30, true }, { 19, 0, false } };
    const platform::SYSTEMTIME time { 2026, 12, 2, 8, 10, 8, 42, 0 };
    const platform::gui::CalendarLocale locale = platform::gui::calendar_locale_named(u"en_US");
    for (const Screen& screen : kScreens) {
        SCOPED_TRACE(screen.name);
        CSkinManager skins({ screen.placement.high_resolution, 5 });
        skins.build_skin_list(SkinConsumer::MainProgram);
        ASSERT_TRUE(skins.load_skin(name, false));
        CAnalogClockFace analog;
        ASSERT_TRUE(analog.load(skins));
        analog.place(screen.placement);
        CPicture canvas = *CPicture::create(screen.placement.width, screen.placement.height);
        analog.compose(canvas, time, { true, true, true, false }, alarms);
        EXPECT_GT(drawn_pixels(canvas), canvas.width() * canvas.height() / 8) << "the dial";
        EXPECT_GE(analog.dial_top_left().x, 0) << "the dial fits across";
        for (bool twelve_hour : { false, true }) {
            CDigitalClockFace digital;
            ASSERT_TRUE(digital.load(skins, twelve_hour));
            digital.place(screen.placement);
            CPicture face = *CPicture::create(screen.placement.width, screen.placement.height);
            digital.compose(face, time, { true, true, true, twelve_hour }, alarms, locale);
            EXPECT_GT(drawn_pixels(face), 2000) << "digits, bars and calendar";
        }
    }
}

INSTANTIATE_TEST_SUITE_P(BuiltIn, ShippedSkinFaces,
                         ::testing::Values("Default", "Default_big", "Black", "White", "ZunSilver", "Wins"));

}  // namespace
}  // namespace zt::skins
