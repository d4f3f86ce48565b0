// The entry points the Today screen and the tabbed Today host look up in this library.
#include <QImage>
#include <QWidget>

#include "platform/gui/today_item_abi.h"
#include "today/item_icons.h"
#include "today/item_look.h"
#include "today/item_window.h"
#include "today/tab_clock.h"
#include "today/device_item_reach.h"

namespace abi = zt::platform::today;

namespace {

QWidget* create_item(QWidget* parent, const zt::today::TodayHost& host) {
    auto* window = new zt::today::CTodayItemWindow(parent, host);
    window->show();
    window->update();
    return window;
}

}  // namespace

extern "C" {

__attribute__((visibility("default"))) QWidget* InitializeCustomItem(abi::TodayListItem* item, QWidget* parent) {
    if (!item || !item->enabled || !parent) return nullptr;
    return create_item(parent, zt::today::read_today_host());
}

__attribute__((visibility("default"))) intptr_t CustomItemOptionsDlgProc(QWidget* dialog, uint32_t message, uintptr_t,
                                                                          intptr_t) {
    if (message == abi::kMsgInitDialog) {
        abi::end_options_dialog(dialog, 0);
        zt::today::DeviceItemReach().start_main_program(zt::today::today_options_command_line());
    }
    return 0;
}

__attribute__((visibility("default"))) QWidget* InitializeEmbeddedItem(QWidget* parent) {
    if (!parent) return nullptr;
    zt::today::TodayHost host;
    host.stand_alone = false;
    host.embedded = true;
    host.tabs_capable = true;
    host.indent = 2;
    return create_item(parent, host);
}

__attribute__((visibility("default"))) int32_t GetSmartPluginInterface(abi::SmartPlugin** result) {
    if (!result) return abi::kFail;
    auto* clock = new (std::nothrow) zt::today::CTabClock();
    if (!clock) return abi::kFail;
    clock->add_ref();
    *result = clock;
    return abi::kOk;
}

__attribute__((visibility("default"))) bool GetTabIcon(QImage* icon) {
    if (!icon) return false;
    *icon = zt::today::tab_icon(zt::today::device_high_resolution());
    return !icon->isNull();
}

}  // extern "C"
