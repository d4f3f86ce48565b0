// Ringout: rings due alarms and timers while the main program is closed ("notify": the
// maintenance run instead).
#include <QApplication>

#include "contracts/main_program.h"
#include "contracts/ringout.h"
#include "core/notification_schedule.h"
#include "core/time_store.h"
#include "platform/kernel/module_path.h"
#include "ringout/maintenance.h"
#include "ringout/ring_program.h"
#include "ringout/single_instance.h"
#include "skins/skin_manager.h"
#include "texts/text_table.h"

int main(int argc, char** argv) {
    using namespace zt::ringout;
    const std::u16string command = zt::platform::command_line(argc, argv);
    SingleInstance instance;
    if (instance.claim(zt::platform::own_module_path()) == InstanceCheck::AnotherRuns) return zt::contracts::kRingoutGaveWay;

    auto& store = zt::core::CTimeStore::instance();
    zt::core::install_reschedule_hook(store);
    store.reload_all();
    auto& skins = zt::skins::CSkinManager::instance();
    skins.load_skin(zt::skins::kDefaultSkinName, false);
    if (command == zt::contracts::kRingoutMaintenanceCommand) {
        run_maintenance(store);
        return zt::contracts::kRingoutDone;
    }

    auto& texts = zt::app::CTextTable::instance();
    texts.load_device_file(store.application_folder() + zt::contracts::kTextTableFile);
    Translate translate = [&texts](std::u16string_view english) { return texts.translate(english); };

    QApplication application(argc, argv);
    // From here on only the frame's loading thread uses the skin manager.
    const auto load_strips = [&skins] {
        return RingStrips { skins.load_image_strip(u"alarm_buttons.png"), skins.load_image_strip(u"alarm_picts.png") };
    };
    RingFrame frame(store, load_strips, translate);
    frame.start();
    return application.exec();
}
