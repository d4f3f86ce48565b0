#pragma once
// How start-up runs the main dialog. The dialog lives in the device screen of the program
// (platform/gui ShellFrame), hosts the six screens, the toolbar and the background of the
// current skin, and handles what the anchor window hands on through MainDialogPort.
#include <functional>
#include <memory>
#include <vector>

#include "app/model/main_controller.h"
#include "app/model/main_dialog_port.h"
#include "app/model/start_mode.h"

namespace zt::core {
class CSettingsBag;
class CTimeStore;
}  // namespace zt::core

namespace zt::skins {
class CSkinManager;
}

namespace zt::app {

class CScreen;
struct ScreenSources;
using ScreenFactory = std::function<std::vector<std::unique_ptr<CScreen>>(const ScreenSources&)>;

// What the dialog works on. Start-up has registered the settings' defaults and loaded them,
// enumerated the skins and loaded the store before it runs the dialog. Null members mean the
// process's own instance (CTimeStore::instance(), CSkinManager::instance()); settings are
// required.
struct MainDialogEnvironment {
    core::CSettingsBag* settings { nullptr };
    core::CTimeStore* store { nullptr };
    skins::CSkinManager* skins { nullptr };
    // Makes the six screens in creation order; null means the program's own (make_screens).
    // Tests put screens of their own in.
    ScreenFactory screens;
};

// Runs the main dialog modally (in the running QApplication) and returns when it ends. While it
// runs, *port_out (when port_out is not null) points at the dialog's port, so the anchor window
// can hand messages on; it is set back to null before the function returns. The program's device
// screen is made on first use and kept for the process.
//
// When the environment variable ZT_SCREENSHOT names a file, the dialog saves a PNG of the device
// screen there once, after its first screen has been drawn.
MainDialogEnd run_main_dialog(const CommandLine& line, const MainDialogEnvironment& environment,
                              MainDialogPort** port_out);

}  // namespace zt::app
