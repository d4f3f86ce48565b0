#include "setup/setup_steps.h"

#include <string>

#include "contracts/registry_keys.h"
#include "platform/registry/registry.h"
#include "setup/default_favorites.h"
#include "setup/device_files.h"
#include "setup/device_services.h"
#include "setup/registrations.h"
#include "setup/running_programs.h"
#include "setup/setup_run.h"
#include "setup/text_table_choice.h"
#include "setup/uninstall_script_patch.h"
#include "world/slot_publisher.h"

namespace zt::setup {
namespace {

using namespace zt::platform::registry;

std::u16string without_trailing_separator(std::u16string_view folder) {
    std::u16string text(folder);
    while (text.size() > 1 && (text.back() == u'\\' || text.back() == u'/')) text.pop_back();
    return text;
}

void upgrade_old_uninstall_script() {
    auto product = Key::open(Root::LocalMachine, contracts::kProductKeyPath);
    if (!product) return;
    auto version = product->get_string(u"Version");
    if (version && (*version == u"2.0.1" || *version == u"2.0.0")) patch_old_uninstall_script();
}

void delete_previous_installation_folder(std::u16string_view new_folder) {
    auto product = Key::open(Root::CurrentUser, contracts::kProductKeyPath);
    if (!product) return;
    auto app_path = product->get_string(u"AppPath");
    if (!app_path) return;
    size_t last = app_path->rfind(u'\\');
    if (last == std::u16string::npos || last == 0) return;
    std::u16string previous = app_path->substr(0, last);
    // The same folder spelt in another case is the same folder on this device.
    if (same_device_place(previous, new_folder)) return;
    delete_installation_folder(previous, new_folder);
}

}  // namespace

void install_init(bool first_call, bool previously_installed, std::u16string_view installation_folder) {
    SetupRun& run = current_run();
    const bool newer = newer_platform();
    if (newer && first_call && previously_installed) upgrade_old_uninstall_script();
    run.fresh_installation = !previously_installed && first_call;
    if (newer && previously_installed && !device_file_exists(kTodayLibrary)) reset_vanished_active_skin();
    if (newer) create_empty_file(kMarkerFilePath);
    close_running_programs();
    unload_today_plugin();
    tell_shell();
    delete_tab_applet();
    tell_shell();
    stop_service();
    delete_previous_installation_folder(without_trailing_separator(installation_folder));
}

void install_exit(std::u16string_view installation_folder) {
    SetupRun& run = current_run();
    run.installation_folder = without_trailing_separator(installation_folder);
    const std::u16string& folder = run.installation_folder;

    provision_trust_certificate();
    create_record_keys();
    give_executables_exe_extension(folder);
    choose_text_table(folder);
    create_program_shortcut(folder);
    register_skins(folder);
    if (newer_platform()) delete_device_file(kMarkerFilePath);
    write_app_path(folder);
    write_version_values();
    if (run.fresh_installation) {
        world::TodayWindowNotifier notifier;
        seed_default_favorites(folder, notifier);
        write_screen_saver_defaults();
    }
    // An upgrade keeps the settings, and with them the previous version's registrations for
    // its next due item. They go before the service starts, so that nothing the new service
    // registers at its start is cleared behind it.
    clear_scheduling_notifications();
    register_service_entry();
    activate_service();
    run_notepurge();
    register_today_and_tab_plugin();
    tell_shell();
    register_tab_applet();
    tell_shell();
    register_time_change_notification();
}

}  // namespace zt::setup
