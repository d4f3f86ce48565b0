#include "app/program/program_startup.h"

#include <QApplication>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <system_error>

#include "app/dialogs/options_sheet_launcher.h"
#include "app/dialogs/program_dialogs.h"
#include "app/dialogs/program_images.h"
#include "app/dialogs/program_look.h"
#include "app/frame/main_dialog.h"
#include "app/model/anchor_protocol.h"
#include "app/model/start_mode.h"
#include "app/program/anchor_window.h"
#include "app/program/program_folder.h"
#include "app/program/single_instance.h"
#include "contracts/main_program.h"
#include "core/notification_schedule.h"
#include "core/settings_bag.h"
#include "core/time_store.h"
#include "platform/base/clock.h"
#include "platform/base/device_path.h"
#include "platform/gui/debug_bridge.h"
#include "platform/gui/screen_metrics.h"
#include "platform/gui/shell_frame.h"
#include "platform/kernel/module_path.h"
#include "platform/msgbox/qt/qt_message_box.h"
#include "platform/windows/window_lookup.h"
#include "skins/skin_manager.h"
#include "texts/text_table.h"
#include "world/city_database.h"
#include "world/favorites_list.h"

namespace zt::app {

namespace {

constexpr char16_t kInstallationMarker[] = u"\\ZunTimeInstallation.txt";

void load_cities(std::u16string_view folder) {
    // Missing files leave the stores empty; start-up goes on.
    if (auto database = program_file(folder, u"TimeCitiesDB.dat")) world::CityDatabase::instance().open(*database);
    if (auto favourites = program_file(folder, u"FavList.dat")) world::FavoritesList::instance().load(*favourites);
}

void delete_installation_marker() {
    if (auto marker = zt::platform::map_device_path(kInstallationMarker)) {
        std::error_code ignored;
        std::filesystem::remove(*marker, ignored);
    }
}

void prepare_skins(bool high_resolution, const std::u16string& program_folder) {
    auto& skins = skins::CSkinManager::instance();
    skins.set_installation_folder(program_folder);
    if (high_resolution)
        skins.restore_high_resolution_files();
    else
        skins.prune_high_resolution_files();
    skins.build_skin_list(skins::SkinConsumer::MainProgram);
}

int dispatch(const CommandLine& line, core::CSettingsBag& settings, core::CTimeStore& store, AnchorWindow& anchor) {
    // The modes that run one dialog alone show it in the program's device screen, as the main
    // dialog's are shown in it.
    std::optional<platform::gui::ShellFrame> alone;
    if (line.mode == StartMode::ChooseCity || line.mode == StartMode::Options || line.mode == StartMode::NewAlarm ||
        line.mode == StartMode::NewOneTimeAlarm || line.mode == StartMode::EditAlarm) {
        alone.emplace(kApplicationTitle);
        alone->show();
    }
    QWidget* parent = alone ? &alone->content() : nullptr;
    switch (line.mode) {
    case StartMode::ChooseCity:
        run_city_chooser(line, parent);
        return 0;
    case StartMode::Options:
        open_options_sheet(static_cast<int>(line.numbers[0]), parent);
        return 0;
    case StartMode::NewAlarm:
    case StartMode::NewOneTimeAlarm:
    case StartMode::EditAlarm:
        open_alarm_editor(line, parent);
        return 0;
    default: {
        const MainDialogEnvironment environment { .settings = &settings, .store = &store, .skins = nullptr, .screens = {} };
        return static_cast<int>(run_main_dialog(line, environment, anchor.port_slot()));
    }
    }
}

}  // namespace

int run_main_program(int argc, char** argv) {
    const std::u16string module_path = zt::platform::own_module_path();
    const std::u16string command = zt::platform::command_line(argc, argv);
    SingleInstance instance;
    if (instance.claim(module_path, command) == InstanceCheck::HandedOver) return 0;

    std::srand(zt::platform::tick_count());
    const CommandLine line = parse_command_line(command, [](uint32_t handle) { return zt::platform::is_window(handle); });

    QApplication application(argc, argv);
    zt::platform::msgbox::install_qt_message_boxes([](QWidget& box) { prepare_message_box(box); });
    // Every mode shows something (an editor alone, too): the device's tools see all of them.
    zt::platform::gui::install_debug_bridge();
    const auto metrics = zt::platform::gui::read_screen_metrics();
    create_shared_image_list(metrics.high_resolution());

    const std::u16string folder = folder_of(module_path);
    load_cities(folder);
    delete_installation_marker();

    core::CSettingsBag settings;
    settings.register_program_defaults();
    settings.register_slide_show_defaults();
    settings.load();
    prepare_skins(metrics.high_resolution(), folder);
    // The button mappings' action list comes with the mappings themselves; the registry root
    // "Zunworks" is part of every product key path (contracts/registry_keys.h).

    CTextTable::instance().load_device_file(folder + contracts::kTextTableFile);

    QApplication::setApplicationName(QString::fromUtf16(kApplicationTitle));
    QApplication::setApplicationDisplayName(QString::fromUtf16(kApplicationTitle));
    auto& store = core::CTimeStore::instance();
    auto anchor = AnchorWindow::create(store);
    if (!anchor) return 2;  // without it no other program could reach this one

    core::install_reschedule_hook(store);
    store.reload_all();
    store.reschedule();

    return dispatch(line, settings, store, *anchor);
}

}  // namespace zt::app
