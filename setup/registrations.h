#pragma once
// The registry part of the installer hook: the product's keys and values, and the device
// registrations of its service and plug-ins. Missing keys are skipped, write failures are
// not reported.
#include <string_view>

#include "contracts/today_item.h"

namespace zt::setup {

inline constexpr char16_t kServiceKey[] = u"Services\\ZunTime";
inline constexpr const char16_t* kTodayItemKey = contracts::kTodayItemKeyPath;
inline constexpr char16_t kTabPluginKey[] = u"SOFTWARE\\Zunworks\\Shared\\TabPlugins\\Zun Time";
inline constexpr char16_t kTabAppletKey[] = u"SOFTWARE\\Zunworks\\Shared\\TabApplets\\Zun Time";
inline constexpr char16_t kTodayLibrary[] = u"\\Windows\\ZunTimeToday.dll";

// An upgrade from a version whose skins are gone: "ActiveSkin" "" or "Egypt" becomes "Default".
void reset_vanished_active_skin();
// Empties the plug-in library values so the hosts let go of the Today library.
void unload_today_plugin();
void delete_tab_applet();
void delete_today_and_tab_plugin();

void create_record_keys();  // HKCU "...\Alarms" and "...\Timers"
void register_skins(std::u16string_view installation_folder);
void write_app_path(std::u16string_view installation_folder);
void write_version_values();
// The eleven programs, only when the key does not exist yet.
void write_screen_saver_defaults();
void register_service_entry();
void register_today_and_tab_plugin();
void register_tab_applet();

// Removal: the product's own trees, then the maker's shared keys that are left empty of keys.
void delete_product_trees();
void delete_empty_shared_keys();

}  // namespace zt::setup
