// The installed main program's world screen, seen and driven through the device's debug bridge:
// the night side at an equinox noon and midnight, and a city picked on the map and put into a
// slot with the tap-and-hold menu, which the Today item hears of.
#include <gtest/gtest.h>

#include <QImage>

#include <chrono>

#include "app/model/testing/window_recorder.h"
#include "contracts/today_item.h"
#include "platform/base/device_path.h"
#include "platform/profile/device_profile.h"
#include "tests/app_e2e/device_bridge.h"
#include "tests/app_e2e/main_program_fixture.h"
#include "world/city_database.h"
#include "world/map/map_cities.h"
#include "world/map/nearest_city.h"

namespace zt::e2e {
namespace {

using zt::platform::gui::UiLine;

constexpr std::int32_t kMainDialogId = 179;
// The small map of the built-in skins on a 240-wide screen, and the four panels under it.
constexpr int kMapWidth = 240, kMapHeight = 120, kPanelsHeight = 96;

class WorldScreenEndToEnd : public MainProgramEndToEnd {
protected:
    void SetUp() override {
        MainProgramEndToEnd::SetUp();
        if (HasFatalFailure()) return;
        ASSERT_TRUE(zt::platform::write_screen_size(240, 320));
        store_screens(0, 0, 3);
    }
    // Moves the device clock so that universal time reads that moment.
    void set_utc(std::chrono::sys_seconds when) {
        const auto offset = std::chrono::duration_cast<std::chrono::seconds>(when - std::chrono::system_clock::now());
        ASSERT_EQ(device_verb({ "clock", "--offset", std::to_string(offset.count()) }).exit_code, 0);
    }
    // The map's top-left corner on the device screen: centred with the panels in the area
    // between the task bar and the toolbar.
    QPoint map_origin() {
        const auto lines = ui_lines();
        int top = 0, bottom = 0;
        for (const UiLine& line : lines.value_or(std::vector<UiLine> {})) {
            if (line.control_id == kMainDialogId) top = line.y;
            if (line.kind == "button" && line.text == u"Button 1") bottom = line.y;
        }
        EXPECT_GT(bottom - top, kMapHeight + kPanelsHeight) << "the screen's area";
        return { 0, top + (bottom - top - kMapHeight - kPanelsHeight) / 2 };
    }
    // How much of a small square of the screen shows the skin's map as it is (day), rather than
    // shaded (night).
    double unshaded(const QImage& screen, QPoint map, QPoint at) const {
        QImage drawn;
        drawn.load(QString::fromStdString((device.root() / "Program Files" / "Zun Time" / "Default" / "WorldMap_small.png").string()));
        return share_alike(screen, drawn.convertToFormat(QImage::Format_RGB32), QRect(map + at, QSize(6, 6)), -map, 3, 1);
    }
    QImage picture(const char* name) { return screencap(device.root() / (std::string(name) + ".png")).value_or(QImage()); }
};

TEST_F(WorldScreenEndToEnd, TheNightSideLiesOppositeAtNoonAndMidnight) {
    using namespace std::chrono;
    set_utc(sys_days(2026y / March / 20) + hours(12));
    start_main(u"");
    const QPoint map = map_origin();
    // Squares on the equator at longitude -3 (the Gulf of Guinea) and -177 (the open Pacific).
    const QPoint greenwich(117, 58), date_line(3, 58);
    const QImage noon = picture("noon");
    ASSERT_FALSE(noon.isNull());
    EXPECT_GT(unshaded(noon, map, greenwich), 0.9) << "day at longitude 0";
    EXPECT_LT(unshaded(noon, map, date_line), 0.1) << "night at the date line";
    set_utc(sys_days(2026y / March / 21));
    QImage midnight;
    ASSERT_TRUE(eventually([&] {
        midnight = picture("midnight");
        return !midnight.isNull() && unshaded(midnight, map, greenwich) < 0.1;
    }, kPatience, "the night to come over longitude 0"));
    EXPECT_GT(unshaded(midnight, map, date_line), 0.9) << "and the day to the date line";
    EXPECT_EQ(close_main(), 0u);
}

TEST_F(WorldScreenEndToEnd, ACityTappedOnTheMapGoesIntoASlotThroughTheMenu) {
    zt::app::testing::WindowRecorder today(zt::contracts::kTodayItemClass);
    ASSERT_NE(today.handle(), 0u);
    // A pixel near Tokyo at which Tokyo is the nearest marked city of the installed database.
    zt::world::CityDatabase database;
    ASSERT_TRUE(database.open(*zt::platform::map_device_path(u"\\Program Files\\Zun Time\\TimeCitiesDB.dat")));
    const auto cities = zt::world::collect_map_cities(database);
    std::vector<zt::world::GeoPoint> places;
    for (const auto& city : cities) places.push_back({ city.latitude / 60.0, city.longitude / 60.0 });
    zt::world::CLinearProjection projection;
    projection.set_size(kMapWidth, kMapHeight);
    std::optional<QPoint> tokyo;
    for (int y = 30; y < 42 && !tokyo; ++y) {
        for (int x = 208; x < 220 && !tokyo; ++x) {
            const auto nearest = zt::world::nearest_city(places, projection.inverse(x, y));
            if (nearest && cities[*nearest].name_view() == u"Tokyo") tokyo = QPoint(x, y);
        }
    }
    ASSERT_TRUE(tokyo) << "Tokyo is a marked city near 139.7 E, 35.7 N";

    start_main(u"");
    const QPoint at = map_origin() + *tokyo;
    ASSERT_EQ(input({ "tap", std::to_string(at.x()), std::to_string(at.y()) }), 0);
    ASSERT_EQ(input({ "hold", std::to_string(at.x()), std::to_string(at.y()) }), 0);
    const auto submenu = find_line(ui_lines().value_or(std::vector<UiLine> {}), "submenu", u"Select City As...");
    ASSERT_TRUE(submenu) << "a city is selected, so the menu offers it";
    ASSERT_EQ(tap_centre_of(*submenu), 0);
    std::optional<UiLine> second;
    ASSERT_TRUE(eventually([&] {
        for (const UiLine& line : ui_lines().value_or(std::vector<UiLine> {}))
            if (line.kind == "menuitem" && line.text.starts_with(u"2: ")) second = line;
        return second.has_value();
    }, kPatience, "the slots' items"));
    ASSERT_EQ(tap_centre_of(*second), 0);

    ASSERT_TRUE(eventually([&] {
        const auto value = settings_key().get_binary(u"City1");
        if (!value || value->size() != 300) return false;
        const auto city = zt::world::decode_city_record(std::span<const uint8_t, 128>(value->data(), 128));
        return city.name_view() == u"Tokyo";
    }, kPatience, "City1 to name Tokyo"));
    ASSERT_TRUE(eventually([&] {
        for (const auto& message : today.messages())
            if (message.number == zt::contracts::kMsgCitiesChanged) return true;
        return false;
    }, kPatience, "the Today item to hear of the slot"));
    EXPECT_EQ(close_main(), 0u);
}

}  // namespace
}  // namespace zt::e2e
