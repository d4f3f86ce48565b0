// zt-today: the device's Today screen, one per device root.
#include <QApplication>

#include <cstdio>
#include <string>
#include <vector>

#include "platform/base/device_root.h"
#include "platform/base/state_files.h"
#include "platform/gui/termination_signals.h"
#include "platform/hosts/zt_device/device_lock.h"
#include "platform/hosts/zt_today/today_items.h"
#include "platform/hosts/zt_today/today_screen.h"

namespace {

constexpr int kExitOk = 0;
constexpr int kExitFailure = 2;

constexpr const char* kHelp =
    "usage: zt-today [--root DIR]\n"
    "\n"
    "The device's Today screen: shows the items registered under HKLM\n"
    "SOFTWARE\\Microsoft\\Today\\Items until SIGTERM or SIGINT. One runs per device root.\n"
    "\n"
    "The device root is --root, else $ZT_ROOT, else $XDG_DATA_HOME/zuntime/device.\n"
    "Exit codes: 0 ended, 2 usage or failure (another Today screen runs for the root).\n";

int usage_error(const std::string& what) {
    std::fprintf(stderr, "zt-today: %s (see --help)\n", what.c_str());
    return kExitFailure;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> words(argv + 1, argv + argc);
    for (size_t at = 0; at < words.size(); ++at) {
        if (words[at] == "--help" || words[at] == "-h") {
            std::fputs(kHelp, stdout);
            return kExitOk;
        }
        if (words[at] != "--root") return usage_error("unknown argument " + words[at]);
        if (at + 1 >= words.size() || words[at + 1].empty()) return usage_error("--root needs a folder");
        if (!zt::platform::set_device_root(words[at + 1])) {
            std::fprintf(stderr, "zt-today: cannot use %s as the device root\n", words[at + 1].c_str());
            return kExitFailure;
        }
        ++at;
    }
    // Before Qt makes threads, so that none of them takes the signals.
    if (!zt::platform::gui::block_termination_signals()) {
        std::fputs("zt-today: cannot block SIGTERM and SIGINT\n", stderr);
        return kExitFailure;
    }
    using zt::platform::device::DeviceLock;
    const auto lock = DeviceLock::acquire(zt::platform::kTodayLockFileName);
    if (!lock) {
        const auto pid = DeviceLock::running_pid(zt::platform::kTodayLockFileName);
        if (pid)
            std::fprintf(stderr, "zt-today: a Today screen already runs for this device (pid %d)\n", *pid);
        else
            std::fputs("zt-today: cannot lock the device root's Today screen lock\n", stderr);
        return kExitFailure;
    }

    QApplication app(argc, argv);
    if (!zt::platform::gui::quit_on_termination_signals()) {
        std::fputs("zt-today: cannot watch SIGTERM and SIGINT\n", stderr);
        return kExitFailure;
    }
    zt::platform::today::TodayScreen screen(zt::platform::today::registered_today_items());
    screen.show();
    app.exec();
    return kExitOk;
}
