// The world screen at 480 x 640 with the Default skin and the shipped city database: one
// repaint as the screen makes it each minute (background, the map window, every marker, the
// night side, four panels with their texts, the copy the window paints), the search for the
// city nearest a tap over all marked cities, and a running stopwatch's refresh.
#include <benchmark/benchmark.h>

#include <QApplication>

#include <cstdlib>
#include <filesystem>

#include "app/frame/stopwatch_screen.h"
#include "app/frame/world_time_screen.h"
#include "contracts/registry_keys.h"
#include "core/settings_bag.h"
#include "core/time_store.h"
#include "platform/base/device_path.h"
#include "platform/registry/registry.h"
#include "platform/testing/temp_device_root.h"
#include "skins/skin_manager.h"
#include "world/city_database.h"
#include "world/favorites_list.h"
#include "world/map/map_cities.h"
#include "world/map/nearest_city.h"

namespace {

namespace fs = std::filesystem;

struct WorldDevice {
    WorldDevice() {
        const std::u16string folder = u"\\Program Files\\Zun Time\\Default\\";
        const fs::path host = *zt::platform::map_device_path(folder);
        fs::create_directories(host);
        fs::copy(fs::path(ZT_SKINS_DIR) / "Default", host, fs::copy_options::recursive | fs::copy_options::overwrite_existing);
        zt::platform::registry::Key::create(zt::platform::registry::Root::CurrentUser, zt::contracts::kSkinsKeyPath)
            ->key.set_string(u"Default", folder);
        skins.build_skin_list(zt::skins::SkinConsumer::MainProgram);
        if (!skins.load_skin(u"Default", false) || !database.open(ZT_SHIPPED_CITY_DB)) std::abort();
        settings.register_program_defaults();
        // Four slots filled, as a user's list has them.
        const auto cities = zt::world::collect_map_cities(database);
        for (int slot = 0; slot < 4; ++slot) {
            favourites.add(cities[static_cast<size_t>(slot) * 97 % cities.size()]);
            favourites.set_slot(slot, slot);
        }
    }
    zt::platform::testing::TempDeviceRoot root;
    zt::skins::CSkinManager skins { { true, 5 } };
    zt::world::CityDatabase database;
    zt::world::FavoritesList favourites { database };
    zt::core::CSettingsBag settings;
    zt::core::CTimeStore store;
};

void WorldScreenRepaint(benchmark::State& state) {
    WorldDevice device;
    zt::app::ScreenSources sources { device.skins, device.settings, device.store, {}, &device.database,
                                     &device.favourites, {}, {}, {}, {}, {}, {}, {} };
    zt::app::CWorldTimeScreen screen(sources);
    screen.set_layout({ { 0, 0, 480, 532 }, false, true, false, false });
    if (!screen.activate()) state.SkipWithError("the screen's images did not load");
    screen.set_show_cities(true);
    screen.set_show_night(true);
    for (auto _ : state) {
        screen.redraw();
        benchmark::DoNotOptimize(screen.picture());
    }
    state.counters["cities"] = static_cast<double>(screen.city_set().size());
}
BENCHMARK(WorldScreenRepaint)->Unit(benchmark::kMillisecond);

void NearestCityOfATap(benchmark::State& state) {
    zt::world::CityDatabase database;
    if (!database.open(ZT_SHIPPED_CITY_DB)) std::abort();
    std::vector<zt::world::GeoPoint> places;
    for (const auto& city : zt::world::collect_map_cities(database))
        places.push_back({ city.latitude / 60.0, city.longitude / 60.0 });
    for (auto _ : state) benchmark::DoNotOptimize(zt::world::nearest_city(places, { 35.5, 139.5 }));
    state.counters["cities"] = static_cast<double>(places.size());
}
BENCHMARK(NearestCityOfATap)->Unit(benchmark::kMicrosecond);

// The stopwatch screen while it runs with a full lap list: one refresh as its 25 ms timer makes
// it (the sample, the big and small digits, the buttons, the lap lines in their font, the copy).
void StopwatchRefresh(benchmark::State& state) {
    WorldDevice device;
    zt::app::ScreenSources sources { device.skins, device.settings, device.store, {}, nullptr, nullptr, {}, {} };
    zt::app::CStopwatchScreen screen(sources);
    screen.set_keep_awake([](bool) {});
    screen.set_layout({ { 0, 0, 480, 532 }, false, true, false, false });
    if (!screen.activate()) state.SkipWithError("the screen's images did not load");
    screen.handle_action(1);
    for (int lap = 0; lap < 8; ++lap) screen.handle_action(2);
    for (auto _ : state) {
        screen.tick();
        screen.redraw();
        benchmark::DoNotOptimize(screen.picture());
    }
}
BENCHMARK(StopwatchRefresh)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    // The screen is a widget: it needs the application, which needs no display offscreen.
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
