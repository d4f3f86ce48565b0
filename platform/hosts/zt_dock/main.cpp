// zt-dock: the device's applet host, one per device root.
#include <QApplication>

#include "platform/base/state_files.h"
#include "platform/hosts/gui_host/gui_host_start.h"
#include "platform/hosts/zt_dock/dock.h"

namespace {

constexpr const char* kHelp =
    "usage: zt-dock [--root DIR]\n"
    "\n"
    "The device's applet host: shows a panel of the applets placed before (HKCU\n"
    "Software\\ZunDevice\\Dock\\Applets), adds those registered under HKLM\n"
    "SOFTWARE\\Zunworks\\Shared\\TabApplets from its Add menu, and runs until SIGTERM or\n"
    "SIGINT, when it stores every applet's data. One runs per device root.\n"
    "\n"
    "The device root is --root, else $ZT_ROOT, else $XDG_DATA_HOME/zuntime/device.\n"
    "Exit codes: 0 ended, 2 usage or failure (another dock runs for the root).\n";

}  // namespace

int main(int argc, char** argv) {
    const zt::platform::gui::GuiHostProgram program { "zt-dock", kHelp, zt::platform::kDockLockFileName, "a dock" };
    return zt::platform::gui::run_gui_host(argc, argv, program, [](QApplication& app) {
        zt::platform::dock::Dock dock;
        dock.restore();
        dock.show();
        app.exec();
        dock.persist();
    });
}
