// The clock screens on the shipped Default skin with a clock that stands still: what a tick
// reads and when it asks for a new picture, how often it wakes, and a skin that cannot show it.
#include "app/frame/clock_screens.h"
#include "app/frame/testing/screen_test.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <optional>

#include "contracts/registry_keys.h"
#include "core/settings_bag.h"
#include "core/time_store.h"
#include "platform/base/clock.h"
#include "platform/base/device_path.h"
#include "platform/gui/locale_clock.h"
#include "platform/registry/registry.h"
#include "platform/testing/temp_device_root.h"
#include "skins/drawing.h"
#include "skins/skin_manager.h"

namespace zt::app {
namespace {

namespace fs = std::filesystem;

using ClockScreenTest = ScreenTest;

TEST_F(ClockScreenTest, ATickAsksForAPictureOnlyWhenWhatItShowsChanged) {
    CAnalogClockScreen screen(sources());
    int period_changes = 0;
    screen.on_refresh_needs_changed([&] { ++period_changes; });
    screen.set_layout({ { 0, 0, 240, 266 }, false, false, false, false });
    ASSERT_TRUE(screen.activate());
    EXPECT_TRUE(screen.tick()) << "the first";
    EXPECT_FALSE(screen.tick());
    m_clock.advance_ms(400);
    EXPECT_FALSE(screen.tick()) << "the same second";
    m_clock.advance_ms(600);
    EXPECT_TRUE(screen.tick());
    EXPECT_EQ(screen.refresh_period_ms(), 500u);

    m_settings.set_number(u"ShowSeconds", 0);
    EXPECT_TRUE(screen.tick());
    EXPECT_EQ(period_changes, 1);
    EXPECT_EQ(screen.refresh_period_ms(), 1000u) << "once a second is enough for a picture of minutes";
    m_clock.advance_ms(10'000);
    EXPECT_FALSE(screen.tick()) << "10:08:53, the same minute";
    m_clock.advance_ms(7'000);
    EXPECT_TRUE(screen.tick()) << "10:09";

    add_alarm(5, 7);
    EXPECT_TRUE(screen.tick()) << "an alarm more";
    m_store.find_alarm(5)->set_enabled(false);
    EXPECT_TRUE(screen.tick()) << "its badge changes";

    // In the screensaver seconds need "SecondsInSS" too.
    m_settings.set_number(u"ShowSeconds", 1);
    m_screensaver = true;
    EXPECT_TRUE(screen.tick());
    EXPECT_EQ(screen.refresh_period_ms(), 1000u);
    m_settings.set_number(u"SecondsInSS", 1);
    screen.tick();
    EXPECT_EQ(screen.refresh_period_ms(), 500u);
}

TEST_F(ClockScreenTest, OverTheSlideShowTheClockIsAsOpaqueAsTheFactorSays) {
    CAnalogClockScreen screen(sources());
    screen.set_layout({ { 0, 0, 240, 266 }, false, false, true, false });
    ASSERT_TRUE(screen.activate());
    std::optional<skins::CPicture> slide = skins::CPicture::create(240, 266);
    ASSERT_TRUE(slide);
    skins::fill_picture(*slide, { 0, 200, 0 });
    auto render = [&](std::optional<int32_t> opacity) {
        if (opacity)
            screen.set_slide_show_source([&] { return &*slide; }, [opacity] { return *opacity; });
        else
            screen.set_slide_show_source([&] { return &*slide; }, {});
        screen.redraw();
        return screen.picture()->clone();
    };
    auto count_not_slide = [](const skins::CPicture& picture) {
        int n = 0;
        for (int32_t y = 0; y < picture.height(); ++y)
            for (int32_t x = 0; x < picture.width(); ++x) n += picture.colour(x, y) != skins::Rgb { 0, 200, 0 };
        return n;
    };
    const auto hidden = render(0);
    ASSERT_TRUE(hidden);
    EXPECT_EQ(count_not_slide(*hidden), 0) << "opacity 0: only the pictures show";
    const auto opaque = render(256);
    const auto plain = render(std::nullopt);
    ASSERT_TRUE(opaque && plain);
    EXPECT_GT(count_not_slide(*opaque), 240 * 266 / 10) << "the clock is drawn over the pictures";
    EXPECT_TRUE(std::equal(opaque->bits(), opaque->bits() + opaque->byte_size(), plain->bits()))
        << "opacity 100 % draws the clock as without any fade";
    const auto faded = render(128);
    const skins::Point centre { 120, 133 };
    const skins::Rgb o = opaque->colour(centre.x, centre.y), f = faded->colour(centre.x, centre.y);
    EXPECT_NE(f, o) << "half opacity lets the pictures through";
    EXPECT_GT(f.green, o.green) << "towards the green picture";
}

TEST_F(ClockScreenTest, TheDigitalClockFollowsTheLocalesClockModeAndDrawsTheTime) {
    CDigitalClockScreen screen(sources());
    screen.set_layout({ { 0, 0, 240, 266 }, false, false, false, false });
    ASSERT_TRUE(screen.activate());
    EXPECT_FALSE(screen.face().twelve_hour());
    screen.tick();
    screen.redraw();
    ASSERT_NE(screen.picture(), nullptr);
    platform::gui::set_locale_time_indicator_override(u"0");
    EXPECT_TRUE(screen.tick());
    EXPECT_TRUE(screen.face().twelve_hour()) << "the AM/PM bars loaded";
}

TEST_F(ClockScreenTest, ASkinWithoutHandsCannotShowTheAnalogClock) {
    fs::remove_all(*platform::map_device_path(u"\\Program Files\\Zun Time\\Default\\"));
    install_default_skin({ "HArrow" });
    m_skins.release_image_cache();
    CAnalogClockScreen analog(sources());
    analog.set_layout({ { 0, 0, 240, 266 }, false, false, false, false });
    EXPECT_FALSE(analog.activate());
    EXPECT_FALSE(analog.active());
    EXPECT_FALSE(analog.reload_images()) << "the skin fails its verification";
    CDigitalClockScreen digital(sources());
    digital.set_layout({ { 0, 0, 240, 266 }, false, false, false, false });
    EXPECT_TRUE(digital.activate()) << "the digital clock needs no hands";
}

}  // namespace
}  // namespace zt::app
