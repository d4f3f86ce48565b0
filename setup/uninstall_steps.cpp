#include "setup/setup_steps.h"

#include <chrono>
#include <string>

#include "contracts/registry_keys.h"
#include "platform/registry/registry.h"
#include "setup/device_files.h"
#include "setup/device_services.h"
#include "setup/registrations.h"
#include "setup/running_programs.h"
#include "setup/setup_run.h"
#include "skins/skin_manager.h"

namespace zt::setup {
namespace {

using namespace zt::platform::registry;

void remove_added_skins() {
    std::vector<std::u16string> names;
    if (auto skins = Key::open(Root::CurrentUser, contracts::kSkinsKeyPath))
        for (uint32_t i = 0; auto value = skins->enum_value(i); ++i) names.push_back(value->name);
    skins::CSkinManager manager(skins::read_skin_screen());
    for (const auto& name : names)
        if (manager.skin_kind(name) == skins::SkinKind::Installed) manager.remove_skin(name);
}

}  // namespace

void uninstall_init(std::u16string_view installation_folder) {
    if (device_file_exists(kMarkerFilePath)) return;
    SetupRun& run = current_run();
    run.installation_folder = std::u16string(installation_folder);
    while (run.installation_folder.size() > 1 && run.installation_folder.back() == u'\\') run.installation_folder.pop_back();
    if (!run.installation_folder.empty()) delete_device_file(run.installation_folder + u"\\FavList.dat");
    stop_service();
    close_running_programs();
    delete_today_and_tab_plugin();
    tell_shell();
    delete_tab_applet();
    tell_shell();
    remove_added_skins();
    cancel_notifications();
    // Programs just told to close may still hold their files for a moment.
    pause_for(std::chrono::milliseconds(1000));
    give_executables_package_extension(run.installation_folder);
    delete_program_shortcut();
}

void uninstall_exit() {
    if (device_file_exists(kMarkerFilePath)) return;
    const SetupRun& run = current_run();
    if (!run.installation_folder.empty()) delete_installation_folder(run.installation_folder);
    delete_product_trees();
    delete_empty_shared_keys();
}

}  // namespace zt::setup
