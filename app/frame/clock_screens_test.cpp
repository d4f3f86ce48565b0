// The clock screens on the shipped Default skin with a clock that stands still: what a tick
// reads and when it asks for a new picture, how often it wakes, and a skin that cannot show it.
#include "app/frame/clock_screens.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "contracts/registry_keys.h"
#include "core/settings_bag.h"
#include "core/time_store.h"
#include "platform/base/clock.h"
#include "platform/base/device_path.h"
#include "platform/gui/locale_clock.h"
#include "platform/gui/testing/widget_test_app.h"
#include "platform/registry/registry.h"
#include "platform/testing/temp_device_root.h"
#include "skins/skin_manager.h"

namespace zt::app {
namespace {

namespace fs = std::filesystem;

class ClockScreenTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::gui::testing::widget_test_app();
        platform::gui::set_locale_time_indicator_override(u"1");
        install_default_skin();
        m_settings.register_program_defaults();
        m_skins.build_skin_list(skins::SkinConsumer::MainProgram);
        ASSERT_TRUE(m_skins.load_skin(u"Default", false));
    }
    void TearDown() override { platform::gui::set_locale_time_indicator_override(std::nullopt); }

    void install_default_skin(const std::vector<std::string>& leave_out = {}) {
        const std::u16string folder = u"\\Program Files\\Zun Time\\Default\\";
        const fs::path host = *platform::map_device_path(folder);
        fs::create_directories(host);
        for (const auto& file : fs::directory_iterator(fs::path(ZT_SKINS_DIR) / "Default")) {
            const std::string name = file.path().filename().string();
            if (std::none_of(leave_out.begin(), leave_out.end(), [&](const std::string& prefix) { return name.starts_with(prefix); }))
                fs::copy_file(file.path(), host / name, fs::copy_options::overwrite_existing);
        }
        platform::registry::Key::create(platform::registry::Root::CurrentUser, contracts::kSkinsKeyPath)
            ->key.set_string(u"Default", folder);
    }
    ScreenSources sources() {
        return { m_skins, m_settings, m_store, [this] { return m_screensaver; } };
    }
    void add_alarm(int32_t id, uint16_t hour) {
        auto* alarm = static_cast<core::CAlarm*>(m_store.create_item(core::ItemType::Alarm, id));
        alarm->alarm_time.wHour = hour;
    }

    platform::testing::TempDeviceRoot m_root;
    platform::ManualClock m_clock { platform::SYSTEMTIME { 2026, 12, 2, 8, 10, 8, 42, 0 } };
    platform::ScopedClockOverride m_clock_override { m_clock };
    core::CSettingsBag m_settings;
    core::CTimeStore m_store;
    skins::CSkinManager m_skins { { false, 5 } };
    bool m_screensaver { false };
};

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
