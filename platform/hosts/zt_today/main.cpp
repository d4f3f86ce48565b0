// zt-today: the device's Today screen, one per device root.
#include <QApplication>

#include "platform/base/state_files.h"
#include "platform/hosts/gui_host/gui_host_start.h"
#include "platform/hosts/zt_today/today_items.h"
#include "platform/hosts/zt_today/today_screen.h"

namespace {

constexpr const char* kHelp =
    "usage: zt-today [--root DIR]\n"
    "\n"
    "The device's Today screen: shows the items registered under HKLM\n"
    "SOFTWARE\\Microsoft\\Today\\Items until SIGTERM or SIGINT. One runs per device root.\n"
    "\n"
    "The device root is --root, else $ZT_ROOT, else $XDG_DATA_HOME/zuntime/device.\n"
    "Exit codes: 0 ended, 2 usage or failure (another Today screen runs for the root).\n";

}  // namespace

int main(int argc, char** argv) {
    const zt::platform::gui::GuiHostProgram program { "zt-today", kHelp, zt::platform::kTodayLockFileName,
                                                      "a Today screen" };
    return zt::platform::gui::run_gui_host(argc, argv, program, [](QApplication& app) {
        zt::platform::today::TodayScreen screen(zt::platform::today::registered_today_items());
        screen.show();
        app.exec();
    });
}
