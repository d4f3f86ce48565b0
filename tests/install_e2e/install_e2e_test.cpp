// The product's package as a person installs it: zt-install into a running device, then an
// upgrade over it and its removal.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "contracts/registry_keys.h"
#include "contracts/service.h"
#include "core/alarm.h"
#include "core/notification_schedule.h"
#include "platform/base/device_path.h"
#include "platform/registry/registry.h"
#include "platform/windows/window_lookup.h"
#include "tests/service_e2e/running_device.h"
#include "world/city_database.h"
#include "world/favorites_list.h"

namespace {

namespace fs = std::filesystem;
using namespace zt::platform::registry;
using zt::e2e::built_program;
using zt::e2e::eventually;
using zt::e2e::kPatience;
using zt::e2e::run_program;

constexpr char16_t kFolder[] = u"\\Program Files\\Zun Time";

fs::path host(std::u16string_view device_path) { return *zt::platform::map_device_path(device_path); }

std::string file_text(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

std::optional<uint32_t> stored_handle(std::u16string_view name) {
    auto settings = Key::open(Root::CurrentUser, zt::contracts::kSettingsKeyPath);
    return settings ? settings->get_dword(name) : std::nullopt;
}

class InstallEndToEnd : public ::testing::Test {
protected:
    void SetUp() override {
        // The helper device comes with the service put in by hand and running once started;
        // the installer stops it, replaces its library and registration, and starts it again.
        ASSERT_TRUE(fs::exists(fs::path(ZT_PACKAGE_DIR) / "manifest.txt")) << "the package is not laid out";
    }
    int zt_install(std::vector<std::string> arguments, std::string* output = nullptr) {
        arguments.insert(arguments.begin(), { "--root", device.root().string() });
        return run_program(built_program("zt-install"), arguments, output);
    }
    std::string device_status() {
        std::string output;
        run_program(built_program("zt-device"), { "--root", device.root().string(), "status" }, &output);
        return output;
    }
    bool service_running() { return device_status().find("\tZunTime\tSTM0:") != std::string::npos; }

    zt::e2e::DeviceWithService device;
};

TEST_F(InstallEndToEnd, InstallsIntoAFreshRootWithTheServiceRunning) {
    ASSERT_TRUE(device.start());
    std::string output;
    ASSERT_EQ(zt_install({ ZT_PACKAGE_DIR }, &output), 0);
    EXPECT_EQ(output, "installed\t\\Program Files\\Zun Time\n");

    EXPECT_TRUE(eventually([&] { return service_running(); }, kPatience, "the service to run")) << device_status();
    EXPECT_TRUE(eventually([] { return zt::platform::find_window(zt::contracts::kServiceClass).has_value(); },
                           kPatience, "the service window"));
    auto product = Key::open(Root::CurrentUser, zt::contracts::kProductKeyPath);
    ASSERT_TRUE(product);
    EXPECT_EQ(product->get_string(u"AppPath"), u"\\Program Files\\Zun Time\\ZunTime.exe");
    auto skins = Key::open(Root::CurrentUser, zt::contracts::kSkinsKeyPath);
    ASSERT_TRUE(skins);
    for (const char16_t* skin : { u"Default", u"Default_big", u"Black", u"White", u"ZunSilver", u"Wins" }) {
        auto folder = skins->get_string(skin);
        ASSERT_TRUE(folder);
        EXPECT_TRUE(fs::is_directory(host(*folder))) << "skin folder copied";
    }
    auto settings = Key::open(Root::CurrentUser, zt::contracts::kSettingsKeyPath);
    ASSERT_TRUE(settings);
    for (const char16_t* slot : { u"City0", u"City1", u"City2", u"City3" })
        EXPECT_EQ(settings->get_binary(slot).value_or(std::vector<uint8_t> {}).size(), 300u);
    EXPECT_TRUE(stored_handle(zt::contracts::kTimeChangeNotifyName));
    EXPECT_TRUE(fs::exists(host(u"\\Windows\\Notepurge.exe"))) << "executables get their exe extension";
    EXPECT_FALSE(fs::exists(host(u"\\Windows\\Notepurge._exe")));
    EXPECT_FALSE(fs::exists(host(u"\\ZunTimeInstallation.txt")));

    zt::world::CityDatabase database;
    zt::world::FavoritesList favourites(database);
    ASSERT_TRUE(favourites.load(host(u"\\Program Files\\Zun Time\\FavList.dat")));
    EXPECT_EQ(favourites.count(), 11u);
    EXPECT_EQ(favourites.slot_city_name(0), u"New York");

    // The installed time-change registration reaches the service: an alarm whose notice was
    // cleared is registered again when the clock moves.
    ASSERT_EQ(run_program(built_program("zt-alarm"), { "add", "06:45", "--name", "Early" }), 0);
    ASSERT_TRUE(stored_handle(zt::contracts::kAlarmNotifyName));
    Key settings_handle = *Key::open(Root::CurrentUser, zt::contracts::kSettingsKeyPath);
    ASSERT_TRUE(zt::core::CNotificationScheduler().clear(&settings_handle, zt::contracts::kAlarmNotifyName));
    ASSERT_EQ(run_program(built_program("zt-device"), { "--root", device.root().string(), "clock", "--offset", "3600" }), 0);
    EXPECT_TRUE(eventually([] { return stored_handle(zt::contracts::kAlarmNotifyName).has_value(); },
                           kPatience, "the alarm notice handle"))
        << "the service did not reschedule after the clock change";
}

TEST_F(InstallEndToEnd, UpgradeKeepsFavouritesAndRemovalSparesOtherProducts) {
    ASSERT_TRUE(device.start());
    ASSERT_EQ(zt_install({ ZT_PACKAGE_DIR }), 0);
    const std::string favourites = file_text(host(u"\\Program Files\\Zun Time\\FavList.dat"));
    // A valid record: every reload deletes an invalid one, the service's at its start too.
    zt::core::CAlarm kept(7);
    kept.flags = zt::core::CAlarm::kDayMask;
    ASSERT_TRUE(kept.save());
    const auto kept_record = Key::open(Root::CurrentUser, zt::contracts::kAlarmsKeyPath)->get_string(u"7");
    ASSERT_TRUE(kept_record);
    Key::create(Root::LocalMachine, u"Software\\Zunworks\\Zun Weather")->key.set_string(u"Name", u"Zun Weather");

    std::string output;
    ASSERT_EQ(zt_install({ ZT_PACKAGE_DIR }, &output), 0);
    EXPECT_EQ(output, "upgraded\t\\Program Files\\Zun Time\n");
    EXPECT_EQ(file_text(host(u"\\Program Files\\Zun Time\\FavList.dat")), favourites);
    EXPECT_EQ(Key::open(Root::CurrentUser, zt::contracts::kAlarmsKeyPath)->get_string(u"7"), kept_record);
    EXPECT_FALSE(fs::exists(host(u"\\ZunTimeInstallation.txt")));
    EXPECT_TRUE(eventually([&] { return service_running(); }, kPatience, "the service to run")) << device_status();
    EXPECT_TRUE(Key::open(Root::LocalMachine, u"SOFTWARE\\Zunworks\\Shared\\TabPlugins\\Zun Time"));

    ASSERT_EQ(zt_install({ "--remove", "Zun Time" }, &output), 0);
    EXPECT_FALSE(fs::exists(host(kFolder)));
    EXPECT_FALSE(fs::exists(host(u"\\Windows\\Notepurge.exe")));
    EXPECT_FALSE(fs::exists(host(u"\\Windows\\ZunTimeService.dll")));
    EXPECT_FALSE(Key::open(Root::CurrentUser, zt::contracts::kProductKeyPath));
    EXPECT_FALSE(Key::open(Root::LocalMachine, u"Services\\ZunTime"));
    EXPECT_TRUE(Key::open(Root::LocalMachine, u"Software\\Zunworks\\Zun Weather"));
    EXPECT_FALSE(service_running());
    EXPECT_EQ(zt_install({ "--remove", "Zun Time" }), 1) << "a second removal finds nothing";
}

// zt-install runs in this test's environment; ctest gives each case its own process.
void use_language(const char* lang) {
    ::unsetenv("LC_ALL");
    ::unsetenv("LC_MESSAGES");
    ::setenv("LANG", lang, 1);
}

TEST_F(InstallEndToEnd, InstallationChoosesTheTextTableOfTheUsersLanguageAndKeepsTheUsers) {
    const fs::path table = host(u"\\Program Files\\Zun Time\\ZunTime.txt");
    use_language("C");
    ASSERT_EQ(zt_install({ ZT_PACKAGE_DIR }), 0);
    EXPECT_FALSE(fs::exists(table)) << "the C locale keeps the English texts";
    EXPECT_TRUE(fs::exists(host(u"\\Program Files\\Zun Time\\texts\\fr\\ZunTime.txt")));

    use_language("de_DE.UTF-8");
    ASSERT_EQ(zt_install({ ZT_PACKAGE_DIR }), 0);
    EXPECT_EQ(file_text(table), file_text(fs::path(ZT_PACKAGE_DIR) / "InstallDir/texts/de/ZunTime.txt"));
    EXPECT_NE(file_text(table).find("Alarm|Wecker"), std::string::npos);

    std::ofstream(table, std::ios::binary | std::ios::trunc) << "Alarm|Mein Wecker\r\n";
    use_language("fr_FR.UTF-8");
    ASSERT_EQ(zt_install({ ZT_PACKAGE_DIR }), 0);
    EXPECT_EQ(file_text(table), "Alarm|Mein Wecker\r\n") << "an upgrade keeps the user's table";

    ASSERT_EQ(zt_install({ "--remove", "Zun Time" }), 0);
    EXPECT_FALSE(fs::exists(table));
}

TEST_F(InstallEndToEnd, AnotherPackageCannotTakeOverTheRenamedPrograms) {
    ASSERT_EQ(zt_install({ ZT_PACKAGE_DIR }), 0);
    const std::string ringout = file_text(host(u"\\Windows\\Ringout.exe"));
    ASSERT_FALSE(ringout.empty());
    const fs::path evil = device.root() / "evil-package";
    fs::create_directories(evil);
    std::ofstream(evil / "payload") << "not Ringout";
    std::ofstream(evil / "manifest.txt") << "app\tEvil\nfile\tpayload\t\\Windows\\Ringout.exe\n";
    std::string output;
    EXPECT_EQ(zt_install({ evil.string() }, &output), 2) << output;
    EXPECT_EQ(file_text(host(u"\\Windows\\Ringout.exe")), ringout);
    EXPECT_EQ(zt_install({ "--remove", "Evil" }), 1) << "nothing of it was installed";
    EXPECT_EQ(file_text(host(u"\\Windows\\Ringout.exe")), ringout);
}

TEST_F(InstallEndToEnd, RefusesOddCommandLines) {
    EXPECT_EQ(zt_install({}), 2);
    EXPECT_EQ(zt_install({ "--remove" }), 2);
    EXPECT_EQ(zt_install({ "--folder", "\\X", "--remove", "Zun Time" }), 2);
    EXPECT_EQ(zt_install({ (device.root() / "no-such-package").string() }), 2);
}

}  // namespace
