// The world screen on the shipped Default skin over a small city database, with the clock
// standing still: the night side and the markers in the drawn picture, taps, the menu, the
// panels and their list, and the scrolled big map.
#include "app/frame/world_time_screen.h"

#include <QListWidget>
#include <QMenu>

#include "app/frame/testing/screen_test.h"
#include "platform/gui/key_codes.h"
#include "platform/gui/locale_calendar.h"
#include "platform/gui/window_timers.h"
#include "world/city_database.h"
#include "world/favorites_list.h"
#include "world/map/map_cities.h"
#include "world/testing/city_db_builder.h"

namespace zt::app {
namespace {

constexpr skins::Rect kPortraitArea { 0, 0, 240, 240 };

world::TimeZoneRules fixed_zone(int32_t bias_minutes) {
    world::TimeZoneRules rules;
    rules.bias = bias_minutes;
    return rules;
}

class WorldTimeScreenTest : public ScreenTest {
protected:
    void SetUp() override {
        ScreenTest::SetUp();
        world::testing::CityDbBuilder b;
        // Tokyo, London and Sydney are map cities; Kyoto is not marked, Nowhere has no zone.
        b.countries = { { .name = "Japan", .cities = { { 1, "Tokyo", 2141, 8381, 1, 1 }, { 2, "Kyoto", 2101, 8125, 1, 0 } } },
                        { .name = "United Kingdom", .cities = { { 3, "London", 3090, -7, 2, 1 }, { 4, "Nowhere", 0, 0, 0, 1 } } },
                        { .name = "Australia", .cities = { { 5, "Sydney", -2032, 9072, 3, 1 } } } };
        b.zones = { { "(UTC+09:00) Tokyo", fixed_zone(540) }, { "(UTC) London", fixed_zone(0) }, { "(UTC+10:00) Sydney", fixed_zone(600) } };
        ASSERT_TRUE(world::testing::write_file(m_root.path() / "TimeCitiesDB.dat", b.build()));
        ASSERT_TRUE(m_database.open(m_root.path() / "TimeCitiesDB.dat"));
        m_favourites.load(m_root.path() / "FavList.dat");
        m_map = m_skins.load_image(u"WorldMap_small.png");
        ASSERT_TRUE(m_map);
    }

    std::unique_ptr<CWorldTimeScreen> make(bool full_screen = false) {
        ScreenSources s = sources();
        s.cities = &m_database;
        s.favourites = &m_favourites;
        s.choose_new_city = [this](QWidget*) { return m_new_city; };
        s.request_full_screen = [this](bool full) { m_full_screen_requests.push_back(full); };
        auto screen = std::make_unique<CWorldTimeScreen>(s);
        screen->set_layout({ kPortraitArea, false, false, full_screen, false });
        EXPECT_TRUE(screen->activate());
        return screen;
    }
    void set_utc(uint16_t month, uint16_t day, uint16_t hour) { m_clock.set_local({ 2026, month, 0, day, hour, 0, 0, 0 }); }
    // Where a map pixel of the small map lands in the portrait layout (the map starts 12 rows down).
    static skins::Point on_screen(world::MapPoint p) { return { p.x, p.y + 12 }; }
    skins::Rgb drawn(CWorldTimeScreen& screen, skins::Point p) {
        screen.redraw();
        return screen.picture()->colour(p.x, p.y);
    }
    skins::Rgb raw_map(world::MapPoint p) const { return m_map->colour(p.x, p.y); }
    static skins::Rgb night(skins::Rgb c) {
        const auto shade = [](uint8_t v) { return static_cast<uint8_t>((v * 127 + 80 * 128) >> 8); };
        return { shade(c.red), shade(c.green), shade(c.blue) };
    }
    size_t index_of(CWorldTimeScreen& screen, std::u16string_view name) {
        const auto& cities = screen.city_set();
        for (size_t i = 0; i < cities.size(); ++i)
            if (cities[i].name_view() == name) return i;
        return cities.size();
    }

    world::CityDatabase m_database;
    world::FavoritesList m_favourites { m_database };
    std::optional<skins::CPicture> m_map;
    std::optional<world::CityRecord> m_new_city;
    std::vector<bool> m_full_screen_requests;
    static constexpr world::MapPoint kTokyo { 213, 36 }, kLondon { 120, 26 }, kDateLine { 5, 60 }, kGreenwich { 118, 60 };
};

TEST_F(WorldTimeScreenTest, TheNightSideMovesWithTheClockAndDarkensTheMarkersInIt) {
    auto screen = make();
    EXPECT_EQ(screen->map_city_count(), 3u) << "map cities with a zone only";
    EXPECT_EQ(world::city_map_point(screen->map_view().projection(), 2141, 8381), kTokyo);

    set_utc(3, 20, 12);  // equinox noon: day centred on longitude 0
    EXPECT_EQ(drawn(*screen, on_screen(kGreenwich)), raw_map(kGreenwich));
    EXPECT_EQ(drawn(*screen, on_screen(kDateLine)), night(raw_map(kDateLine)));
    const skins::Rgb london = drawn(*screen, on_screen(kLondon));
    EXPECT_NE(london, raw_map(kLondon)) << "London's marker";
    EXPECT_EQ(drawn(*screen, on_screen(kTokyo)), night(london)) << "Tokyo's marker lies in the night (21:00)";

    set_utc(3, 21, 0);
    EXPECT_EQ(drawn(*screen, on_screen(kGreenwich)), night(raw_map(kGreenwich)));
    EXPECT_EQ(drawn(*screen, on_screen(kDateLine)), raw_map(kDateLine));
    EXPECT_FALSE(screen->tick());
    m_clock.advance_ms(60'000);
    EXPECT_TRUE(screen->tick()) << "a new minute moves the night";

    screen->set_show_cities(false);
    screen->set_show_night(false);
    EXPECT_EQ(drawn(*screen, on_screen(kLondon)), raw_map(kLondon));
    EXPECT_EQ(drawn(*screen, on_screen(kGreenwich)), raw_map(kGreenwich));
    screen.reset();
    const auto stored = world::WorldMapSettings::load();
    EXPECT_FALSE(stored.show_cities || stored.twilight) << "saved when the screen goes";
}

TEST_F(WorldTimeScreenTest, TapsSelectTheNearestCityAndTheMenuPutsItIntoASlot) {
    auto screen = make();
    const skins::Point tokyo = on_screen(kTokyo);
    screen->tap({ tokyo.x + 3, tokyo.y - 2 });
    ASSERT_EQ(screen->selected_city(), index_of(*screen, u"Tokyo"));
    EXPECT_FALSE(screen->timers().is_set(CWorldTimeScreen::kSelectionTimer)) << "nothing was replaced";
    screen->tap({ 60, 110 });  // the South Atlantic, far from all
    EXPECT_EQ(screen->selected_city(), index_of(*screen, u"Tokyo"));
    screen->tap(on_screen(kLondon));
    EXPECT_EQ(screen->selected_city(), index_of(*screen, u"London"));
    EXPECT_EQ(screen->timers().period_ms(CWorldTimeScreen::kSelectionTimer), std::optional<uint32_t>(5000u));

    screen->set_show_cities(false);
    screen->tap(tokyo);
    EXPECT_EQ(screen->selected_city(), index_of(*screen, u"Tokyo")) << "taps pick cities without markers too";
    auto menu = screen->make_menu();
    ASSERT_EQ(menu->actions().size(), 3);
    QMenu* slot_menu = menu->actions()[0]->menu();
    ASSERT_NE(slot_menu, nullptr);
    EXPECT_EQ(menu->actions()[0]->text(), QStringLiteral("Select City As..."));
    EXPECT_EQ(slot_menu->actions()[1]->text(), QStringLiteral("2: "));
    EXPECT_FALSE(menu->actions()[1]->isChecked()) << "Show Cities is off";
    EXPECT_TRUE(menu->actions()[2]->isChecked()) << "Show Night";
    slot_menu->actions()[1]->trigger();

    ASSERT_EQ(m_favourites.count(), 1u) << "the map city was copied into the favourites";
    EXPECT_EQ(m_favourites.slot_city_name(1), u"Tokyo");
    EXPECT_EQ(screen->make_menu()->actions()[0]->menu()->actions()[1]->text(), QStringLiteral("2: Tokyo"));
    world::FavoritesList saved(m_database);
    ASSERT_TRUE(saved.load(m_root.path() / "FavList.dat"));
    EXPECT_EQ(saved.slot_city_name(1), u"Tokyo");
    screen->assign_selected_city(2);
    EXPECT_EQ(m_favourites.count(), 1u) << "a map city already among the favourites is not copied again";
    EXPECT_EQ(m_favourites.slot(2), m_favourites.slot(1));
}

TEST_F(WorldTimeScreenTest, PanelsSelectTheirCityAndChangeItThroughTheirList) {
    world::CityRecord tokyo;
    tokyo.id = 1;
    tokyo.set_name(u"Tokyo");
    tokyo.time_zone = 1;
    m_favourites.add(tokyo);
    ASSERT_TRUE(m_favourites.set_slot(1, 0));
    auto screen = make();
    const skins::Rect panel = screen->screen_layout().panels[1];
    EXPECT_EQ(panel, (skins::Rect { 120, 132, 240, 180 }));

    screen->tap({ panel.left + 10, panel.top + 10 });
    EXPECT_EQ(screen->selected_city(), screen->map_city_count()) << "the slot's favourite";
    screen->tap({ panel.right - 2, panel.bottom - 2 });
    QListWidget* list = screen->favourites_list();
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->item(0)->text(), QStringLiteral("Tokyo"));
    EXPECT_EQ(list->currentRow(), 0);
    m_new_city = world::CityRecord {};
    m_new_city->id = 100000;
    m_new_city->set_name(u"Hut");
    m_new_city->time_zone = 2;
    EXPECT_FALSE(screen->key_released(platform::gui::VK_LEFT)) << "left for the dialog's mappings";
    EXPECT_TRUE(screen->key_released(platform::gui::VK_DOWN));
    EXPECT_TRUE(screen->key_released(platform::gui::VK_DOWN));
    EXPECT_EQ(list->currentRow(), 1) << "the last entry stays the last";
    EXPECT_TRUE(screen->key_released(platform::gui::VK_RETURN));
    EXPECT_EQ(screen->favourites_list(), nullptr);
    EXPECT_EQ(m_favourites.slot_city_name(1), u"Hut");
    EXPECT_EQ(m_favourites.slot_city(1)->id, 100000u);
    EXPECT_EQ(m_favourites.next_custom_id(), 100001u);

    // The assign square puts the map's selection into the panel's slot.
    screen->tap(on_screen(kLondon));
    screen->tap({ panel.right - 30, panel.bottom - 5 });
    EXPECT_EQ(m_favourites.slot_city_name(1), u"London");

    EXPECT_EQ(panel_text(*m_favourites.entry(0), { 2026, 12, 2, 8, 19, 5, 0, 0 }).name, u"Tokyo");
    world::CityRecord long_name;
    long_name.set_name(u"Sixteen Letters!");
    EXPECT_EQ(panel_text(long_name, {}).name, u"Sixteen Lette...");
    long_name.set_name(u"Fifteen Letters");
    EXPECT_EQ(panel_text(long_name, {}).name, u"Fifteen Letters");
    const PanelText text = panel_text(long_name, { 2026, 12, 2, 8, 19, 5, 0, 0 });
    EXPECT_EQ(text.time, u"19:05");
    EXPECT_NE(text.date.find(platform::gui::calendar_locale().short_day_names[1]), std::u16string::npos) << "Tuesday";
}

TEST_F(WorldTimeScreenTest, FullScreenScrollsTheBigMapRoundAndKeepsTapsOnTheirCities) {
    auto screen = make(true);
    const WorldScreenLayout places = screen->screen_layout();
    EXPECT_EQ(places.map_view, (skins::Rect { 0, 0, 240, 240 }));
    EXPECT_EQ(screen->scroll(), 120) << "first shown centred on longitude 0";
    screen->scroll_to(400);
    // Tokyo on the 480 x 240 map is column 426: 26 columns into a window that starts at 400.
    screen->tap({ 26, 72 });
    EXPECT_EQ(screen->selected_city(), index_of(*screen, u"Tokyo"));
    screen->scroll_to(-10);
    EXPECT_EQ(screen->scroll(), 470);
    EXPECT_EQ(screen->make_menu()->actions().size(), 2) << "no Show Night in full screen";
    screen->tap({ places.button.left + 1, places.button.top + 1 });
    EXPECT_EQ(m_full_screen_requests, std::vector<bool> { false });
}

}  // namespace
}  // namespace zt::app
