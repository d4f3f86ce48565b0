#include "setup/registrations.h"

#include <array>
#include <cstdio>
#include <string>

#include "contracts/registry_keys.h"
#include "core/number_text.h"
#include "platform/registry/registry.h"

namespace zt::setup {
namespace {

using namespace zt::platform::registry;

constexpr std::array<std::u16string_view, 6> kShippedSkins = { u"Default", u"Default_big", u"Black", u"White", u"ZunSilver", u"Wins" };
constexpr std::array<std::u16string_view, 11> kScreenSaverDisablingPrograms = {
    u"player.exe", u"wmplayer.exe", u"proute.exe", u"Navio.exe", u"Navigator2.exe", u"GPS Tuner.exe",
    u"GPSDash.exe", u"FOLLOWME.exe", u"MobileNavigator.exe", u"Ringout.exe", u"GpsNavigationLauncher.exe",
};

std::optional<Key> created(Root root, std::u16string_view path) {
    auto made = Key::create(root, path);
    if (!made) return std::nullopt;
    return std::move(made->key);
}

}  // namespace

void reset_vanished_active_skin() {
    auto settings = Key::open(Root::CurrentUser, contracts::kSettingsKeyPath);
    if (!settings) return;
    auto active = settings->get_string(u"ActiveSkin");
    if (!active || active->empty() || *active == u"Egypt") settings->set_string(u"ActiveSkin", u"Default");
}

void unload_today_plugin() {
    if (auto today = Key::open(Root::LocalMachine, kTodayItemKey)) today->set_string(u"Dll", u"");
    if (auto plugin = Key::open(Root::LocalMachine, kTabPluginKey)) plugin->set_string(u"DLL", u"");
}

void delete_tab_applet() { delete_tree(Root::LocalMachine, kTabAppletKey); }

void delete_today_and_tab_plugin() {
    delete_tree(Root::LocalMachine, kTodayItemKey);
    delete_tree(Root::LocalMachine, kTabPluginKey);
}

void create_record_keys() {
    Key::create(Root::CurrentUser, contracts::kAlarmsKeyPath);
    Key::create(Root::CurrentUser, contracts::kTimersKeyPath);
}

void register_skins(std::u16string_view installation_folder) {
    auto skins = created(Root::CurrentUser, contracts::kSkinsKeyPath);
    if (!skins) return;
    for (std::u16string_view name : kShippedSkins)
        skins->set_string(name, std::u16string(installation_folder) + u"\\" + std::u16string(name));
}

void write_app_path(std::u16string_view installation_folder) {
    if (auto product = created(Root::CurrentUser, contracts::kProductKeyPath))
        product->set_string(contracts::kAppPathValue, std::u16string(installation_folder) + u"\\ZunTime.exe");
}

void write_version_values() {
    auto product = created(Root::LocalMachine, contracts::kProductKeyPath);
    if (!product) return;
    char version[32];
    std::snprintf(version, sizeof version, "%u.%u.%u", 2u, 2u, 2u);
    product->set_string(u"Name", u"Zun Time");
    product->set_string(u"Version", std::u16string(version, version + std::char_traits<char>::length(version)));
    product->set_dword(u"Build", 1312);
}

void write_screen_saver_defaults() {
    if (Key::open(Root::CurrentUser, contracts::kScreenSaverDisablingKeyPath)) return;
    auto key = created(Root::CurrentUser, contracts::kScreenSaverDisablingKeyPath);
    if (!key) return;
    for (size_t i = 0; i < kScreenSaverDisablingPrograms.size(); ++i)
        key->set_string(core::format_three_places(static_cast<int32_t>(i)), kScreenSaverDisablingPrograms[i]);
}

void register_service_entry() {
    auto service = created(Root::LocalMachine, kServiceKey);
    if (!service) return;
    service->set_string(u"Dll", u"ZunTimeService.dll");
    service->set_string(u"Prefix", u"STM");
    service->set_dword(u"UnsignedService", 1);
    service->set_dword(u"Order", 8);
    service->set_dword(u"Keep", 1);
    service->set_dword(u"Index", 0);
    service->set_dword(u"Context", 0);
    service->set_string(u"DisplayName", u"Zun Time Service");
    service->set_string(u"Description", u"Zun Time Service");
}

void register_today_and_tab_plugin() {
    if (auto plugin = Key::create(Root::LocalMachine, kTabPluginKey)) {
        plugin->key.set_string(u"DLL", kTodayLibrary);
        if (plugin->newly_created) {
            plugin->key.set_string(u"Name", u"Zun Time");
            plugin->key.set_string(u"Label", u"");
        }
    }
    // The tabbed host, when it hosts the item itself, keeps the Today screen free of it.
    if (Key::open(Root::LocalMachine, std::u16string(kTabPluginKey) + u"\\\"Zun Time\"")) return;
    auto today = Key::create(Root::LocalMachine, kTodayItemKey);
    if (!today) return;
    if (today->newly_created) {
        today->key.set_dword(u"type", 4);
        today->key.set_dword(u"Selectability", 2);
        today->key.set_dword(u"enabled", 1);
        today->key.set_dword(u"options", 1);
        today->key.set_string(u"DLL", kTodayLibrary);
        today->key.set_dword(u"STVersion", 1);
        today->key.set_string(u"STName", u"Time");
    } else {
        today->key.set_string(u"DLL", kTodayLibrary);
    }
}

void register_tab_applet() {
    auto applet = created(Root::LocalMachine, kTabAppletKey);
    if (!applet) return;
    applet->set_string(u"DLL", u"\\Windows\\ZunTimeApplet.dll");
    applet->set_string(u"Name", u"Zun Time");
    applet->set_string(u"Label", u"Time");
}

void delete_product_trees() {
    delete_tree(Root::LocalMachine, u"\\SOFTWARE\\Apps\\Zun Time");
    delete_tree(Root::LocalMachine, contracts::kProductKeyPath);
    delete_tree(Root::CurrentUser, contracts::kProductKeyPath);
}

void delete_empty_shared_keys() {
    // delete_key refuses a key that still has sub-keys: another product's keys stay.
    constexpr std::array<std::u16string_view, 9> kMachineShared = {
        u"SOFTWARE\\Zunworks\\Shared\\TabPlugins", u"SOFTWARE\\Zunworks\\Shared\\TabApplets",
        u"SOFTWARE\\Zunworks\\Shared\\Components", u"SOFTWARE\\Zunworks\\Shared\\Zun Menu\\Modules",
        u"SOFTWARE\\Zunworks\\Shared\\Zun Menu\\Now", u"SOFTWARE\\Zunworks\\Shared\\Zun Menu\\1.0",
        u"SOFTWARE\\Zunworks\\Shared\\Zun Menu", u"SOFTWARE\\Zunworks\\Shared", u"SOFTWARE\\Zunworks",
    };
    for (std::u16string_view path : kMachineShared) delete_key(Root::LocalMachine, path);
    delete_key(Root::CurrentUser, u"SOFTWARE\\Zunworks");
    delete_key(Root::LocalMachine, u"SOFTWARE\\Zunworks 2");
}

}  // namespace zt::setup
