#include "setup/device_services.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>

#include "contracts/notepurge.h"
#include "contracts/registry_keys.h"
#include "contracts/service.h"
#include "core/notification_schedule.h"
#include "platform/base/device_path.h"
#include "platform/base/device_root.h"
#include "platform/base/text.h"
#include "platform/kernel/process.h"
#include "platform/registry/registry.h"
#include "platform/services/service_manager.h"
#include "setup/device_files.h"
#include "setup/registrations.h"
#include "setup/setup_run.h"

namespace zt::setup {
namespace {

using namespace zt::platform::registry;
namespace services = zt::platform::services;

constexpr int kServiceDeleteTries = 10;
constexpr std::chrono::milliseconds kServiceDeleteInterval { 500 };
constexpr std::chrono::milliseconds kNotepurgeLimit { 20000 };

// Double quotes around the path, with the characters a desktop entry's quoting escapes.
std::string quoted_for_desktop_entry(const std::string& text) {
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"' || c == '`' || c == '$' || c == '\\') quoted += "\\\\";
        if (c == '\n') continue;
        quoted += c;
    }
    return quoted + "\"";
}

}  // namespace

void stop_service() {
    if (auto handle = services::get_service_handle(u"STM0:"); handle.status == services::ServiceStatus::Ok)
        services::deregister_service(handle.handle);
    delete_tree(Root::LocalMachine, kServiceKey);
    for (int attempt = 0; attempt < kServiceDeleteTries; ++attempt) {
        if (!device_file_exists(kServiceLibraryPath)) return;
        auto path = platform::map_device_path(kServiceLibraryPath);
        if (path && std::ofstream(*path, std::ios::binary | std::ios::app)) {
            delete_device_file(kServiceLibraryPath);
            return;
        }
        pause_for(kServiceDeleteInterval);
    }
}

void activate_service() { services::activate_service(u"ZunTime"); }

void run_notepurge() {
    auto process = platform::Process::create(contracts::kNotepurgePath, contracts::kNotepurgeSilentCommand);
    if (process) process->wait(kNotepurgeLimit);
}

void register_time_change_notification() {
    auto settings = Key::create(Root::CurrentUser, contracts::kSettingsKeyPath);
    if (!settings) return;
    core::CNotificationScheduler scheduler;
    // An upgrade keeps the settings: the earlier registration is cleared first, or every
    // upgrade would leave one more time-change registration behind.
    scheduler.clear(&settings->key, contracts::kTimeChangeNotifyName);
    scheduler.register_on_event(&settings->key, 1, contracts::kTimeChangeNotifyName);
}

void cancel_notifications() {
    auto settings = Key::open(Root::CurrentUser, contracts::kSettingsKeyPath);
    if (!settings) return;
    core::CNotificationScheduler scheduler;
    for (std::u16string_view name : { std::u16string_view(core::kOldTimerNotifyName), std::u16string_view(contracts::kAlarmNotifyName),
                                      std::u16string_view(contracts::kWakeupHelperNotifyName), std::u16string_view(contracts::kTimeChangeNotifyName) })
        scheduler.clear(&*settings, name);
}

void clear_scheduling_notifications() { core::CNotificationScheduler().clear_all(); }

void provision_trust_certificate() {}

void create_program_shortcut(std::u16string_view installation_folder) {
    delete_program_shortcut();
    auto folder = platform::map_device_path(kProgramsFolder);
    auto target = platform::map_device_path(std::u16string(installation_folder) + u"\\ZunTime.exe");
    if (!folder || !target) return;
    std::error_code error;
    std::filesystem::create_directories(*folder, error);
    std::ofstream entry(*folder / "Zun Time.desktop", std::ios::trunc);
    entry << "[Desktop Entry]\nType=Application\nName=Zun Time\n"
          << "Exec=env ZT_ROOT=" << quoted_for_desktop_entry(platform::device_root().string()) << ' '
          << quoted_for_desktop_entry(target->string()) << "\n"
          << "Path=" << target->parent_path().string() << "\n"
          << "Categories=Utility;Clock;\n";
}

void delete_program_shortcut() {
    delete_device_file(std::u16string(kProgramsFolder) + u"\\Zun Time.lnk");
    delete_device_file(std::u16string(kProgramsFolder) + u"\\Zun Time.desktop");
}

}  // namespace zt::setup
