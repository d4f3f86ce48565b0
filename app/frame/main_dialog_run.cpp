// run_main_dialog: the device screen of the program with the dialog in it, run modally.
#include <QEventLoop>

#include "app/frame/main_dialog.h"
#include "app/frame/main_dialog_widget.h"
#include "platform/gui/shell_frame.h"

namespace zt::app {

MainDialogEnd run_main_dialog(const CommandLine& line, const MainDialogEnvironment& environment,
                              MainDialogPort** port_out) {
    if (!environment.settings) return MainDialogEnd::CreateFailed;
    platform::gui::ShellFrame frame(kProgramTitle);
    frame.show();
    QEventLoop loop;
    MainDialogEnd result = MainDialogEnd::Closed;
    {
        CMainDialog dialog(line, environment, frame);
        CMainController& controller = dialog.controller();
        controller.on_end([&](MainDialogEnd end) {
            result = end;
            loop.quit();
        });
        if (port_out) *port_out = &controller;
        if (controller.initialise() && !controller.end()) loop.exec();
        if (port_out) *port_out = nullptr;
        if (controller.end()) result = *controller.end();
    }
    return result;
}

}  // namespace zt::app
