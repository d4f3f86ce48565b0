// The item's rules without drawing: counts, angles, heights, layout, the light test, where the
// item lives, the city slots and the shell's colour.
#include "today/today_view.h"

#include <gtest/gtest.h>

#include "contracts/registry_keys.h"
#include "contracts/today_item.h"
#include "platform/gui/testing/gui_test_app.h"
#include "platform/registry/registry.h"
#include "platform/testing/temp_device_root.h"
#include "skins/testing/test_images.h"
#include "today/item_icons.h"
#include "world/slot_publisher.h"

namespace zt::today {
namespace {

namespace registry = platform::registry;
using skins::testing::StripBuilder;

registry::Key machine_key(std::u16string_view path) {
    return std::move(registry::Key::create(registry::Root::LocalMachine, path)->key);
}

TEST(TodayRules, CitiesCountIsClampedAndHandsMoveInEvenDegrees) {
    EXPECT_EQ(effective_cities_count(0), 1u);
    EXPECT_EQ(effective_cities_count(3), 3u);
    EXPECT_EQ(effective_cities_count(7), 4u);
    EXPECT_EQ(today_hour_angle(10, 15), 306) << "not 307.5";
    EXPECT_EQ(today_minute_angle(15, 30), 92);
    EXPECT_EQ(today_minute_angle(0, 20), 2);
}

TEST(TodayRules, IconsComeAtTheSizesTheHostsAskFor) {
    platform::gui::testing::gui_test_app();
    EXPECT_EQ(item_icon(true).size(), QSize(32, 32));
    EXPECT_EQ(item_icon(false).size(), QSize(16, 16));
    EXPECT_EQ(tab_icon(true).size(), QSize(24, 22));
    EXPECT_EQ(tab_icon(false).size(), QSize(12, 11));
    EXPECT_EQ(qAlpha(item_icon(false).pixel(0, 0)), 0) << "transparent around the clock";
    EXPECT_TRUE(load_icon_resource(104, 16, 16).isNull());
}

TEST(TodayRules, HeightFollowsTheViewTheCountTheDialAndTheScreen) {
    TodayImages images;
    EXPECT_EQ(today_item_height(kAnalogView, 1, images, false), 40) << "no dial: the least height";
    images.clock = skins::CImageStrip(StripBuilder(30, 50).boundary(49).build());
    EXPECT_EQ(today_item_height(kAnalogView, 1, images, false), 54);
    EXPECT_EQ(today_item_height(kAnalogView, 4, images, false), 72);
    EXPECT_EQ(today_item_height(kDigitalView, 1, images, false), 40);
    EXPECT_EQ(today_item_height(kDigitalView, 3, images, false), 60);
    EXPECT_EQ(today_item_height(2, 1, images, false), 24);
    skins::CPicture scaled = StripBuilder(30, 50).boundary(49).build();
    scaled.set_scaled(true);
    images.clock = skins::CImageStrip(std::move(scaled));
    EXPECT_EQ(today_item_height(kAnalogView, 1, images, true), 108) << "a doubled dial";
    EXPECT_EQ(today_item_height(kDigitalView, 4, images, true), 160);
    EXPECT_EQ(today_item_height(9, 1, images, true), 48);
}

TEST(TodayRules, LayoutPlacesTheIconAndTextColumns) {
    const TodayLayout analog = today_layout(480, 108, kAnalogView, 1, true, true);
    EXPECT_EQ(analog.icon, (skins::Rect { 0, 0, 50, 108 }));
    EXPECT_EQ(analog.icon_tap, (skins::Rect { 0, 0, 40, 40 }));
    EXPECT_EQ(analog.clock_area, (skins::Rect { 50, 0, 230, 108 }));
    EXPECT_EQ(analog.text_column, (skins::Rect { 230, 0, 480, 108 }));
    EXPECT_EQ(analog.line[2], (skins::Rect { 230, 52, 480, 76 }));
    const TodayLayout digital = today_layout(240, 40, kDigitalView, 1, false, false);
    EXPECT_EQ(digital.icon_tap.width(), 0) << "no tap area without the icon";
    EXPECT_EQ(digital.clock_area, (skins::Rect { 0, 0, 150, 40 }));
    EXPECT_EQ(digital.line[1], (skins::Rect { 150, 14, 240, 26 }));
    const TodayLayout several = today_layout(240, 60, kDigitalView, 3, true, false);
    EXPECT_EQ(several.clock_area, (skins::Rect { 25, 0, 240, 60 }));
    EXPECT_EQ(several.text_column.width(), 0);
}

TEST(TodayRules, OnlyTheTwentyFiveSamplesDecideALightBackground) {
    EXPECT_TRUE(background_is_light(skins::testing::solid_picture(50, 20, { 255, 255, 255 })));
    EXPECT_FALSE(background_is_light(skins::testing::solid_picture(50, 20, { 20, 30, 40 })));
    // White everywhere but on the grid, where the average luminance is 179: not above it.
    skins::CPicture mixed = skins::testing::solid_picture(100, 50, { 255, 255, 255 });
    for (int32_t row = 0; row < 5; ++row)
        for (int32_t column = 0; column < 5; ++column) mixed.set_colour(10 + column * 20, 5 + row * 10, { 179, 179, 179 });
    EXPECT_FALSE(background_is_light(mixed));
    mixed.set_colour(90, 45, { 204, 204, 204 });  // raises the average to 180
    EXPECT_TRUE(background_is_light(mixed));
    mixed.set_colour(90, 45, { 255, 0, 0 });  // red weighs 30 %
    EXPECT_FALSE(background_is_light(mixed));
}

class TodayRegistry : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_FALSE(m_root.path().empty()); }
    platform::testing::TempDeviceRoot m_root;
};

TEST_F(TodayRegistry, HostInformationDecidesWhereTheIconComesFrom) {
    core::TodaySettings settings;
    settings.hide_icon = true;
    TodayHost host = read_today_host();
    EXPECT_TRUE(host.stand_alone && !host.embedded) << "no entry at all";
    EXPECT_FALSE(icon_shown(host, settings));

    registry::Key item = machine_key(contracts::kTodayItemKeyPath);
    item.set_dword(u"Enabled", 1);
    item.set_string(u"STEmbedded", u"Tabs");
    registry::Key tabs = machine_key(std::u16string(contracts::kTodayItemsKeyPath) + u"\\Tabs");
    tabs.set_dword(u"STCPossibleTabs", 2);
    tabs.set_dword(u"STCRecommendedIndent", 1);
    tabs.set_string(u"STEmbedded", u"Outer");
    EXPECT_FALSE(read_today_host().embedded) << "an enabled entry stands alone";

    item.set_dword(u"Enabled", 0);
    host = read_today_host();
    EXPECT_TRUE(host.embedded && !host.stand_alone);
    EXPECT_FALSE(host.tabs_capable) << "bit 0 of the host's tabs";
    EXPECT_EQ(host.indent, 1u);
    EXPECT_TRUE(icon_shown(host, settings)) << "the host's indent decides, not HideIcon";
    machine_key(std::u16string(contracts::kTodayItemsKeyPath) + u"\\Outer").set_dword(u"STCPossibleTabs", 1);
    EXPECT_TRUE(read_today_host().tabs_capable) << "the outer host's tabs are merged in";
    tabs.set_dword(u"STCRecommendedIndent", 2);
    EXPECT_FALSE(icon_shown(read_today_host(), core::TodaySettings {}));
}

TEST_F(TodayRegistry, CitySlotsOfTheRightSizeGiveTheirCitysTime) {
    world::CityRecord city { .id = 17, .time_zone = 3 };
    city.set_name(u"Oslo");
    world::TimeZoneRules rules;
    rules.bias = 90;
    const world::TimeZoneRulesBytes rule_bytes = world::encode_time_zone_rules(rules);
    world::publish_slot_value(1, &city, &rule_bytes);
    registry::Key settings = std::move(registry::Key::create(registry::Root::CurrentUser, contracts::kSettingsKeyPath)->key);
    settings.set_binary(world::slot_value_name(2), std::vector<uint8_t>(299, 1));

    TodayContent content;
    content.city_slots = load_city_slots();
    ASSERT_TRUE(content.city_slots[1]);
    EXPECT_EQ(content.city_slots[1]->city.name_view(), u"Oslo");
    EXPECT_FALSE(content.city_slots[0] || content.city_slots[2] || content.city_slots[3]) << "missing and 299-byte values";
    content.universal = { 2026, 3, 0, 9, 10, 0, 0, 0 };
    content.local = { 2026, 3, 0, 9, 5, 0, 0, 0 };
    content.settings.city_index = 1;
    ASSERT_TRUE(shown_city(content));
    EXPECT_EQ(city_time(content, shown_city(content)).wHour, 11);
    EXPECT_EQ(city_time(content, shown_city(content)).wMinute, 30);
    content.settings.city_index = 2;
    EXPECT_FALSE(shown_city(content)) << "a slot without a city shows local time";
    EXPECT_EQ(city_time(content, shown_city(content)).wHour, 5);
}

TEST_F(TodayRegistry, TextColourIsTheThemesSixthColour) {
    EXPECT_EQ(theme_text_colour(), (skins::Rgb { 0x31, 0x82, 0xCE }));
    registry::Key colours = machine_key(u"SOFTWARE\\Microsoft\\Color");
    std::vector<uint8_t> table(180, 0);
    table[24] = 0x10, table[25] = 0x20, table[26] = 0x30;
    colours.set_binary(u"DefSHColor", table);
    EXPECT_EQ(theme_text_colour(), (skins::Rgb { 0x10, 0x20, 0x30 }));
    colours.set_binary(u"SHColor", std::vector<uint8_t>(20, 0xFF));
    EXPECT_EQ(theme_text_colour(), (skins::Rgb { 0x10, 0x20, 0x30 })) << "a table too short for entry 6";
    colours.set_dword(u"6", 0x00FFFFFF);
    EXPECT_EQ(theme_text_colour(), (skins::Rgb { 0xFF, 0xFF, 0xFF }));
    EXPECT_EQ(normal_font_height(5, 192), 12);
    EXPECT_EQ(normal_font_height(2, 96), 11) << "8 points at 96 dots per inch, rounded";
}

}  // namespace
}  // namespace zt::today
