// The item drawn with the shipped "Default" skin: the clock, the icon column, the city columns in
// their slot order, the shaded rows, and the next alarm's text.
#include "today/today_view.h"

#include <gtest/gtest.h>

#include "platform/gui/locale_clock.h"
#include "platform/gui/testing/gui_test_app.h"
#include "skins/skin_manager.h"
#include "skins/testing/skin_fixture.h"
#include "skins/testing/test_images.h"
#include "today/today_drawing_parts.h"

namespace zt::today {
namespace {

constexpr skins::Rgb kDark { 40, 40, 40 };

class TodayDrawing : public skins::testing::SkinDeviceTest {
protected:
    void SetUp() override {
        SkinDeviceTest::SetUp();
        platform::gui::testing::gui_test_app();
        add_shipped_skin(u"Default", ZT_SKINS_DIR);
        m_skins.build_skin_list(skins::SkinConsumer::Applet);
        ASSERT_TRUE(m_skins.load_skin(u"Default", false));
        m_images = load_today_images(m_skins);
        ASSERT_TRUE(m_images.complete());
        m_content.settings.view = kAnalogView;
        m_content.settings.cities_count = 1;
        m_content.universal = { 2026, 12, 3, 9, 10, 15, 30, 0 };
        m_content.local = m_content.universal;
        m_content.local_name = u"local";
        m_content.none_text = u"none";
    }

    skins::CPicture draw(skins::Rgb background = kDark) {
        const uint32_t cities = effective_cities_count(m_content.settings.cities_count);
        skins::CPicture picture = skins::testing::solid_picture(
            480, today_item_height(m_content.settings.view, cities, m_images, true), background);
        draw_today_item(picture, m_content, m_images, m_look);
        return picture;
    }
    static int changed_pixels(const skins::CPicture& picture, skins::Rect area, skins::Rgb background = kDark) {
        int count = 0;
        for (int32_t y = area.top; y < area.bottom; ++y)
            for (int32_t x = area.left; x < area.right; ++x) count += !(picture.colour(x, y) == background);
        return count;
    }
    static bool same_pixels(const skins::CPicture& a, skins::Rect in_a, const skins::CPicture& b, skins::Rect in_b) {
        for (int32_t y = 0; y < in_a.height(); ++y)
            for (int32_t x = 0; x < in_a.width(); ++x)
                if (!(a.colour(in_a.left + x, in_a.top + y) == b.colour(in_b.left + x, in_b.top + y))) return false;
        return true;
    }

    skins::CSkinManager m_skins { { true, 5 } };
    TodayImages m_images;
    TodayContent m_content;
    TodayLook m_look { { 255, 255, 255 }, 12, true };
};

TEST_F(TodayDrawing, OneAnalogClockFillsItsAreaAndTheIconColumnOnlyWhenShown) {
    skins::CPicture shown = draw();
    const TodayLayout layout = today_layout(shown.width(), shown.height(), kAnalogView, 1, true, true);
    const int32_t dial = static_cast<int32_t>(m_images.clock.half_width() << m_images.clock.shift());
    EXPECT_GT(changed_pixels(shown, layout.clock_area), dial * dial / 3) << "the dial and its hands";
    EXPECT_GT(changed_pixels(shown, layout.icon_tap), 100) << "the item icon";
    EXPECT_GT(changed_pixels(shown, layout.line[0]), 20) << "the line icon and the city's name";

    m_content.show_icon = false;
    skins::CPicture hidden = draw();
    EXPECT_EQ(changed_pixels(hidden, layout.icon), 0) << "no icon column";
    const TodayLayout wider = today_layout(hidden.width(), hidden.height(), kAnalogView, 1, false, true);
    EXPECT_EQ(wider.clock_area.left, 0);

    // Other hands, same dial: the time is what the hands show.
    m_content.show_icon = true;
    m_content.local.wHour = 4;
    m_content.local.wMinute = 45;
    skins::CPicture later = draw();
    EXPECT_FALSE(same_pixels(shown, layout.clock_area, later, layout.clock_area));
}

TEST_F(TodayDrawing, SeveralClocksStartWithTheChosenCity) {
    world::TimeZoneRules six_hours;
    six_hours.bias = 360;
    m_content.city_slots[2] = CitySlot { world::CityRecord {}, six_hours };
    m_content.city_slots[2]->city.set_name(u"Dhaka");
    m_content.settings.cities_count = 2;
    m_content.show_icon = false;
    const auto clocks = [&](const skins::CPicture& picture, int column) {
        const int32_t width = picture.width() / 2;
        const int32_t top = 4, bottom = top + (m_images.clock.part(0)->height << m_images.clock.shift());
        return skins::Rect { column * width, top, (column + 1) * width, bottom };
    };
    skins::CPicture local = draw();
    EXPECT_TRUE(same_pixels(local, clocks(local, 0), local, clocks(local, 1))) << "slots 0 and 1 are empty: local time";
    EXPECT_GT(changed_pixels(local, clocks(local, 0)), 1000);
    m_content.settings.city_index = 2;
    skins::CPicture chosen = draw();
    EXPECT_FALSE(same_pixels(chosen, clocks(chosen, 0), chosen, clocks(chosen, 1))) << "slot 2 first, six hours on";
    EXPECT_TRUE(same_pixels(chosen, clocks(chosen, 1), local, clocks(local, 0))) << "then slot 3, empty";
}

TEST_F(TodayDrawing, TheBigTimeShrinksUntilItFitsInsteadOfBeingCut) {
    const platform::gui::FontRequest big { u"", 28, 400, false };
    const std::u16string time = u"10:08 AM";
    const auto wide = platform::gui::measure_text(big, time);
    ASSERT_TRUE(wide);
    EXPECT_EQ(font_fitting(big, time, *wide).height, 28) << "a time that fits keeps its size";
    const platform::gui::FontRequest fitted = font_fitting(big, time, *wide - 20);
    EXPECT_LT(fitted.height, 28);
    EXPECT_LE(platform::gui::measure_text(fitted, time).value_or(*wide), *wide - 20);
    EXPECT_EQ(font_fitting(big, time, 1).height, 8) << "never below the normal height";
}

TEST_F(TodayDrawing, DigitalRowsAlternateDarkerOnLightAndLighterOnDark) {
    m_content.settings.view = kDigitalView;
    m_content.settings.cities_count = 3;
    for (const auto& [background, shaded] : { std::pair { skins::Rgb { 230, 230, 230 }, skins::Rgb { 195, 195, 195 } },
                                              std::pair { skins::Rgb { 30, 60, 90 }, skins::Rgb { 42, 84, 126 } } }) {
        skins::CPicture picture = draw(background);
        ASSERT_EQ(picture.height(), 120);
        // Right of the weekday's seventeen eighteenths nothing is written.
        EXPECT_EQ(picture.colour(476, 20), background) << "row 1";
        EXPECT_EQ(picture.colour(476, 60), shaded) << "row 2 is shaded";
        EXPECT_EQ(picture.colour(476, 100), background) << "row 3";
        EXPECT_GT(changed_pixels(picture, { 60, 40, 250, 80 }, shaded), 20) << "the name in the shaded row";
    }
}

TEST_F(TodayDrawing, NextAlarmShowsInTheShownCitysTimeWithTheDaysToGo) {
    EXPECT_EQ(next_alarm_text(m_content, std::nullopt), u"none");
    m_content.local = { 2026, 12, 3, 9, 11, 15, 30, 0 };  // an hour east of universal time
    const platform::FileTime now = *platform::system_time_to_file_time(m_content.universal);
    m_content.next_alarm = now + 26 * 3600 * platform::kFileTimeTicksPerSecond;  // 12:15:30 universal
    EXPECT_EQ(next_alarm_text(m_content, std::nullopt), platform::gui::format_locale_time(13, 15) + u" [+1]");
    world::TimeZoneRules west;
    west.bias = -300;
    m_content.next_alarm = now + 3 * 3600 * platform::kFileTimeTicksPerSecond;
    EXPECT_EQ(next_alarm_text(m_content, CitySlot { {}, west }), platform::gui::format_locale_time(8, 15));
}

}  // namespace
}  // namespace zt::today
