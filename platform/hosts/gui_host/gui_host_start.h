#pragma once
// How the device's one-per-root GUI programs start and end: `[--root DIR]` or `--help`, the
// termination signals blocked before Qt makes threads, the program's lock file in the root
// held for the whole run, and SIGTERM or SIGINT ending the event loop so that the program's
// own clean-up and every destructor run.
#include <functional>

class QApplication;

namespace zt::platform::gui {

struct GuiHostProgram {
    const char* name { "" };        // as in messages, e.g. "zt-dock"
    const char* help { "" };        // printed for --help
    const char* lock_file { "" };   // in the device root, one of state_files.h's names
    const char* running { "" };     // for "<running> already runs for this device", e.g. "a dock"
};

// Runs the program: `run` builds and shows it, runs the event loop and returns when a signal
// ended it. Returns the exit code: 0 ended (or --help), 2 usage or failure (another instance
// holds the lock).
int run_gui_host(int argc, char** argv, const GuiHostProgram& program, const std::function<void(QApplication&)>& run);

}  // namespace zt::platform::gui
