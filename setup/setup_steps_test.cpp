// The installer hook driven in-process on a fresh device root, without a running device
// (the service's activation and Notepurge are then skipped as on a device without them).
#include "setup/setup_steps.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "contracts/registry_keys.h"
#include "contracts/service.h"
#include "core/notification_schedule.h"
#include "platform/base/device_path.h"
#include "platform/base/text.h"
#include "platform/notify/user_notification.h"
#include "platform/registry/registry.h"
#include "platform/registry/testing/temp_device_root.h"
#include "setup/device_files.h"
#include "setup/setup_run.h"
#include "world/city_database.h"
#include "world/favorites_list.h"
#include "world/testing/city_db_builder.h"

namespace zt::setup {
namespace {

namespace fs = std::filesystem;
using namespace zt::platform::registry;

constexpr char16_t kFolder[] = u"\\Program Files\\Zun Time";

fs::path host(std::u16string_view device_path) { return *platform::map_device_path(device_path); }

std::string file_text(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void put_file(std::u16string_view device_path, const std::string& text = "x") {
    fs::path path = host(device_path);
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

std::optional<std::u16string> string_value(Root root, std::u16string_view key, std::u16string_view name) {
    auto opened = Key::open(root, key);
    return opened ? opened->get_string(name) : std::nullopt;
}

std::optional<uint32_t> dword_value(Root root, std::u16string_view key, std::u16string_view name) {
    auto opened = Key::open(root, key);
    return opened ? opened->get_dword(name) : std::nullopt;
}

bool key_exists(Root root, std::u16string_view key) { return Key::open(root, key).has_value(); }

// The list keeps its entries sorted by name; the slots tell the seeding order.
std::vector<std::u16string> favourite_names(std::u16string_view folder) {
    world::CityDatabase database;
    world::FavoritesList list(database);
    std::vector<std::u16string> names;
    if (!list.load(host(std::u16string(folder) + u"\\FavList.dat"))) return names;
    for (size_t i = 0; i < list.count(); ++i) names.emplace_back(list.entry(static_cast<int>(i))->name_view());
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<std::u16string> slot_names(std::u16string_view folder) {
    world::CityDatabase database;
    world::FavoritesList list(database);
    std::vector<std::u16string> names;
    if (!list.load(host(std::u16string(folder) + u"\\FavList.dat"))) return names;
    for (int slot = 0; slot < 4; ++slot) names.push_back(list.slot_city_name(slot));
    return names;
}

size_t time_change_registrations() {
    size_t count = 0;
    for (const auto& record : platform::notify::list_user_notifications())
        if (record.trigger.application.ends_with(u"TimeChangeNotify")) ++count;
    return count;
}

class SetupSteps : public ::testing::Test {
protected:
    void SetUp() override {
        set_pause_function([](std::chrono::milliseconds) {});
        ASSERT_FALSE(m_root.path().empty());
        put_database(kFolder);
    }
    void TearDown() override { set_pause_function(nullptr); }

    void put_database(std::u16string_view folder) {
        fs::path target = host(std::u16string(folder) + u"\\TimeCitiesDB.dat");
        fs::create_directories(target.parent_path());
        fs::copy_file(ZT_SHIPPED_CITY_DB, target, fs::copy_options::overwrite_existing);
    }
    void install(std::u16string_view folder = kFolder, bool previously_installed = false) {
        install_init(true, previously_installed, folder);
        install_exit(folder);
    }
    void remove(std::u16string_view folder = kFolder) {
        uninstall_init(folder);
        uninstall_exit();
    }

    platform::testing::TempDeviceRoot m_root;
};

TEST_F(SetupSteps, FreshInstallWritesTheProductsRegistryDefaults) {
    install();
    EXPECT_EQ(string_value(Root::CurrentUser, contracts::kProductKeyPath, u"AppPath"), u"\\Program Files\\Zun Time\\ZunTime.exe");
    EXPECT_EQ(string_value(Root::LocalMachine, zt::contracts::kProductKeyPath, u"Name"), u"Zun Time");
    EXPECT_EQ(string_value(Root::LocalMachine, zt::contracts::kProductKeyPath, u"Version"), u"2.2.2");
    EXPECT_EQ(dword_value(Root::LocalMachine, zt::contracts::kProductKeyPath, u"Build"), 1312u);
    EXPECT_TRUE(key_exists(Root::CurrentUser, contracts::kAlarmsKeyPath));
    EXPECT_TRUE(key_exists(Root::CurrentUser, contracts::kTimersKeyPath));

    auto skins = Key::open(Root::CurrentUser, zt::contracts::kSkinsKeyPath);
    ASSERT_TRUE(skins);
    std::vector<std::u16string> skin_names;
    for (uint32_t i = 0; auto value = skins->enum_value(i); ++i) skin_names.push_back(value->name);
    EXPECT_EQ(skin_names, (std::vector<std::u16string> { u"Default", u"Default_big", u"Black", u"White", u"ZunSilver", u"Wins" }));
    EXPECT_EQ(skins->get_string(u"Black"), u"\\Program Files\\Zun Time\\Black");

    const std::u16string saver = zt::contracts::kScreenSaverDisablingKeyPath;
    EXPECT_EQ(string_value(Root::CurrentUser, saver, u"  0"), u"player.exe");
    EXPECT_EQ(string_value(Root::CurrentUser, saver, u"  9"), u"Ringout.exe");
    EXPECT_EQ(string_value(Root::CurrentUser, saver, u" 10"), u"GpsNavigationLauncher.exe");

    const std::u16string service = u"Services\\ZunTime";
    EXPECT_EQ(string_value(Root::LocalMachine, service, u"Dll"), u"ZunTimeService.dll");
    EXPECT_EQ(string_value(Root::LocalMachine, service, u"Prefix"), u"STM");
    EXPECT_EQ(dword_value(Root::LocalMachine, service, u"Order"), 8u);
    EXPECT_EQ(dword_value(Root::LocalMachine, service, u"Keep"), 1u);
    EXPECT_EQ(string_value(Root::LocalMachine, service, u"DisplayName"), u"Zun Time Service");

    const std::u16string today = u"SOFTWARE\\Microsoft\\Today\\Items\\\"Zun Time\"";
    EXPECT_EQ(dword_value(Root::LocalMachine, today, u"type"), 4u);
    EXPECT_EQ(dword_value(Root::LocalMachine, today, u"Selectability"), 2u);
    EXPECT_EQ(string_value(Root::LocalMachine, today, u"DLL"), u"\\Windows\\ZunTimeToday.dll");
    EXPECT_EQ(string_value(Root::LocalMachine, today, u"STName"), u"Time");
    EXPECT_EQ(string_value(Root::LocalMachine, u"SOFTWARE\\Zunworks\\Shared\\TabPlugins\\Zun Time", u"Name"), u"Zun Time");
    EXPECT_EQ(string_value(Root::LocalMachine, u"SOFTWARE\\Zunworks\\Shared\\TabApplets\\Zun Time", u"Label"), u"Time");
    EXPECT_TRUE(dword_value(Root::CurrentUser, contracts::kSettingsKeyPath, u"TimeChangeNotify").has_value())
        << "the time-change notification's handle is kept in the settings";
    EXPECT_FALSE(device_file_exists(kMarkerFilePath));
}

TEST_F(SetupSteps, FreshInstallSeedsElevenFavouritesWithFourPublishedSlots) {
    install();
    EXPECT_EQ(favourite_names(kFolder),
              (std::vector<std::u16string> { u"Berlin", u"Bonn", u"Lisbon", u"London", u"Moscow", u"New York", u"Paris",
                                             u"Rome", u"Sydney", u"Taipei", u"Tokyo" }));
    EXPECT_EQ(slot_names(kFolder), (std::vector<std::u16string> { u"New York", u"Taipei", u"Tokyo", u"London" }));
    auto settings = Key::open(Root::CurrentUser, contracts::kSettingsKeyPath);
    ASSERT_TRUE(settings);
    for (const char16_t* slot : { u"City0", u"City1", u"City2", u"City3" }) {
        auto bytes = settings->get_binary(slot);
        ASSERT_TRUE(bytes) << "slot value missing";
        EXPECT_EQ(bytes->size(), 300u);
    }
    EXPECT_FALSE(settings->get_binary(u"City4"));
}

TEST_F(SetupSteps, FreshInstallKeepsAReadableFavouritesFile) {
    install();
    const std::string first = file_text(host(u"\\Program Files\\Zun Time\\FavList.dat"));
    remove();  // the installer would remove and reinstall; the file is then written back by the user
    put_database(kFolder);
    put_file(u"\\Program Files\\Zun Time\\FavList.dat", first);
    install();
    EXPECT_EQ(file_text(host(u"\\Program Files\\Zun Time\\FavList.dat")), first);
}

TEST_F(SetupSteps, ADatabaseWithoutBonnGivesTenFavourites) {
    namespace t = world::testing;
    t::CityDbBuilder builder;
    builder.zones = { { "UTC", {} } };
    uint16_t next_key = 1;  // city ids come from the keys: each city its own
    auto one = [&](const char* name) { return std::vector<t::BuiltCity> { { next_key++, name, 0, 0, 1, 0 } }; };
    builder.countries = {
        { "United States of America", { { "New York", one("New York") } }, {} },
        { "Taiwan", {}, one("Taipei") }, { "Japan", {}, one("Tokyo") }, { "United Kingdom", {}, one("London") },
        { "Germany", {}, one("Berlin") }, { "France", {}, one("Paris") }, { "Australia", {}, one("Sydney") },
        { "Italy", {}, one("Rome") }, { "Russia", {}, one("Moscow") }, { "Portugal", {}, one("Lisbon") },
    };
    ASSERT_TRUE(t::write_file(host(u"\\Program Files\\Zun Time\\TimeCitiesDB.dat"), builder.build()));
    install();
    auto names = favourite_names(kFolder);
    ASSERT_EQ(names.size(), 10u);
    EXPECT_EQ(std::count(names.begin(), names.end(), u"Bonn"), 0);
    EXPECT_EQ(slot_names(kFolder), (std::vector<std::u16string> { u"New York", u"Taipei", u"Tokyo", u"London" }));
    auto settings = Key::open(Root::CurrentUser, contracts::kSettingsKeyPath);
    EXPECT_TRUE(settings->get_binary(u"City3"));
}

TEST_F(SetupSteps, AMissingDatabaseStillWritesAnEmptyFavouritesFile) {
    fs::remove(host(u"\\Program Files\\Zun Time\\TimeCitiesDB.dat"));
    install();
    EXPECT_TRUE(fs::exists(host(u"\\Program Files\\Zun Time\\FavList.dat")));
    EXPECT_TRUE(favourite_names(kFolder).empty());
}

TEST_F(SetupSteps, ExecutablesSwapExtensionsOnInstallAndRemoval) {
    put_file(u"\\Windows\\Ringout._exe", "new");
    put_file(u"\\Windows\\Ringout.exe", "old");
    put_file(u"\\Program Files\\Zun Time\\ZunTime._exe", "main");
    install();
    EXPECT_EQ(file_text(host(u"\\Windows\\Ringout.exe")), "new");
    EXPECT_FALSE(fs::exists(host(u"\\Windows\\Ringout._exe")));
    EXPECT_TRUE(fs::exists(host(u"\\Program Files\\Zun Time\\ZunTime.exe")));
    EXPECT_TRUE(fs::exists(host(u"\\Windows\\Start Menu\\Programs\\Zun Time.desktop")));
    uninstall_init(kFolder);
    EXPECT_EQ(file_text(host(u"\\Windows\\Ringout._exe")), "new") << "the installer must find what it installed";
    EXPECT_TRUE(fs::exists(host(u"\\Program Files\\Zun Time\\ZunTime._exe")));
    EXPECT_FALSE(fs::exists(host(u"\\Windows\\Start Menu\\Programs\\Zun Time.desktop")));
    uninstall_exit();
}

TEST_F(SetupSteps, UpgradeKeepsFavouritesAndRegistrationsAndLeavesNoMarker) {
    install();
    const std::string favourites = file_text(host(u"\\Program Files\\Zun Time\\FavList.dat"));
    Key::create(Root::CurrentUser, contracts::kAlarmsKeyPath)->key.set_string(u"1", u"tn=Kept");

    install_init(true, true, kFolder);
    EXPECT_TRUE(device_file_exists(kMarkerFilePath));
    remove();  // the old version's removal during the upgrade
    EXPECT_EQ(file_text(host(u"\\Program Files\\Zun Time\\FavList.dat")), favourites);
    EXPECT_EQ(string_value(Root::CurrentUser, contracts::kAlarmsKeyPath, u"1"), u"tn=Kept");
    install_exit(kFolder);

    EXPECT_FALSE(device_file_exists(kMarkerFilePath));
    EXPECT_EQ(file_text(host(u"\\Program Files\\Zun Time\\FavList.dat")), favourites);
    EXPECT_TRUE(key_exists(Root::LocalMachine, u"Services\\ZunTime"));
    EXPECT_TRUE(key_exists(Root::LocalMachine, u"SOFTWARE\\Microsoft\\Today\\Items\\\"Zun Time\""));
    EXPECT_EQ(time_change_registrations(), 1u) << "an upgrade replaces the time-change registration";
}

TEST_F(SetupSteps, InstallationClearsThePreviousVersionsDueTimeRegistrations) {
    install();
    auto settings = Key::create(Root::CurrentUser, contracts::kSettingsKeyPath);
    ASSERT_TRUE(settings);
    core::CNotificationScheduler scheduler;
    const platform::SYSTEMTIME due { 2030, 1, 2, 1, 7, 0, 0, 0 };
    for (const char16_t* name : { contracts::kAlarmNotifyName, contracts::kWakeupHelperNotifyName, core::kOldTimerNotifyName })
        ASSERT_TRUE(scheduler.register_at_time(&settings->key, due, name));

    install_init(true, true, kFolder);
    remove();  // the old version's removal keeps everything during the upgrade
    install_exit(kFolder);

    for (const char16_t* name : { contracts::kAlarmNotifyName, contracts::kWakeupHelperNotifyName, core::kOldTimerNotifyName }) {
        EXPECT_FALSE(dword_value(Root::CurrentUser, contracts::kSettingsKeyPath, name)) << "handle value left behind";
        for (const auto& record : platform::notify::list_user_notifications())
            EXPECT_FALSE(record.trigger.application.ends_with(name)) << "registration left behind";
    }
    EXPECT_EQ(time_change_registrations(), 1u);
}

TEST_F(SetupSteps, RemovalDeletesTheProductAndSparesTheMakersOtherProducts) {
    Key::create(Root::LocalMachine, u"Software\\Zunworks\\Zun Weather")->key.set_string(u"Name", u"Zun Weather");
    Key::create(Root::CurrentUser, u"Software\\Zunworks\\Zun Weather")->key.set_dword(u"Units", 1);
    install();
    remove();
    EXPECT_FALSE(fs::exists(host(kFolder)));
    EXPECT_FALSE(key_exists(Root::CurrentUser, contracts::kProductKeyPath));
    EXPECT_FALSE(key_exists(Root::LocalMachine, zt::contracts::kProductKeyPath));
    EXPECT_FALSE(key_exists(Root::LocalMachine, u"Services\\ZunTime"));
    EXPECT_FALSE(key_exists(Root::LocalMachine, u"SOFTWARE\\Microsoft\\Today\\Items\\\"Zun Time\""));
    EXPECT_FALSE(key_exists(Root::LocalMachine, u"SOFTWARE\\Zunworks\\Shared")) << "empty shared keys go";
    EXPECT_TRUE(key_exists(Root::LocalMachine, u"Software\\Zunworks\\Zun Weather"));
    EXPECT_EQ(dword_value(Root::CurrentUser, u"Software\\Zunworks\\Zun Weather", u"Units"), 1u);
    EXPECT_EQ(time_change_registrations(), 0u);
}

TEST_F(SetupSteps, ASecondInstallationIntoAnotherFolderDeletesTheFirst) {
    install();
    put_database(u"\\Storage Card\\Zun Time");
    install(u"\\Storage Card\\Zun Time", true);
    EXPECT_FALSE(fs::exists(host(kFolder)));
    EXPECT_EQ(string_value(Root::CurrentUser, contracts::kProductKeyPath, u"AppPath"), u"\\Storage Card\\Zun Time\\ZunTime.exe");
}

TEST_F(SetupSteps, ThePreviousFolderIsNeverTheDeviceItselfNorTheNewFolder) {
    install();
    // The same folder spelt in another case, and a hostile AppPath.
    install(u"\\PROGRAM FILES\\zun time", true);
    EXPECT_TRUE(fs::exists(host(u"\\Program Files\\Zun Time\\FavList.dat")));
    put_file(u"\\Windows\\keep.txt");
    Key::open(Root::CurrentUser, contracts::kProductKeyPath)->set_string(u"AppPath", u"\\Windows\\ZunTime.exe");
    install(kFolder, true);
    EXPECT_TRUE(fs::exists(host(u"\\Windows\\keep.txt")));
    Key::open(Root::CurrentUser, contracts::kProductKeyPath)->set_string(u"AppPath", u"\\Program Files\\ZunTime.exe");
    install(kFolder, true);
    EXPECT_TRUE(fs::exists(host(u"\\Program Files\\Zun Time\\FavList.dat"))) << "a folder holding the new one stays";

    for (std::u16string_view hostile : { u"\\My Documents\\ZunTime.exe", u"\\Windows\\Start Menu\\ZunTime.exe" }) {
        put_file(u"\\My Documents\\letter.txt");
        put_file(u"\\Windows\\Start Menu\\entry.lnk");
        Key::open(Root::CurrentUser, contracts::kProductKeyPath)->set_string(u"AppPath", hostile);
        install(kFolder, true);
        EXPECT_TRUE(fs::exists(host(u"\\My Documents\\letter.txt"))) << zt::platform::utf16_to_utf8(hostile);
        EXPECT_TRUE(fs::exists(host(u"\\Windows\\Start Menu\\entry.lnk"))) << zt::platform::utf16_to_utf8(hostile);
    }
}

TEST_F(SetupSteps, UpgradeFromTwoZeroOnePatchesTheOldUninstallScript) {
    Key::create(Root::LocalMachine, zt::contracts::kProductKeyPath)->key.set_string(u"Version", u"2.0.1");
    Key::create(Root::LocalMachine, u"Security\\AppInstall\\Zun Time")->key.set_string(u"Uninstall", u"\\Windows\\AppMgr\\Zun Time.xml");
    std::u16string script = u"<nocharacteristic type=\"HKCU\\Software\\Zunworks\"/>";
    std::string bytes;
    for (char16_t unit : script) bytes += { static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8) };
    put_file(u"\\Windows\\AppMgr\\Zun Time.xml", bytes);
    install_init(true, true, kFolder);
    std::string patched = file_text(host(u"\\Windows\\AppMgr\\Zun Time.xml"));
    std::u16string text;
    for (size_t i = 0; i + 1 < patched.size(); i += 2)
        text += static_cast<char16_t>(static_cast<uint8_t>(patched[i]) | (static_cast<uint8_t>(patched[i + 1]) << 8));
    EXPECT_EQ(text, u"<nocharacteristic type=\"HKCU\\Software\\Zunworks\\Zun Time\"/>");
    install_exit(kFolder);
}

}  // namespace
}  // namespace zt::setup
