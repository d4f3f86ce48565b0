#include "platform/hosts/gui_host/gui_host_start.h"

#include <QApplication>

#include <cstdio>
#include <string>
#include <vector>

#include "platform/base/device_root.h"
#include "platform/gui/termination_signals.h"
#include "platform/hosts/zt_device/device_lock.h"

namespace zt::platform::gui {
namespace {

constexpr int kExitOk = 0;
constexpr int kExitFailure = 2;

int usage_error(const GuiHostProgram& program, const std::string& what) {
    std::fprintf(stderr, "%s: %s (see --help)\n", program.name, what.c_str());
    return kExitFailure;
}

}  // namespace

int run_gui_host(int argc, char** argv, const GuiHostProgram& program, const std::function<void(QApplication&)>& run) {
    const std::vector<std::string> words(argv + 1, argv + argc);
    for (size_t at = 0; at < words.size(); ++at) {
        if (words[at] == "--help" || words[at] == "-h") {
            std::fputs(program.help, stdout);
            return kExitOk;
        }
        if (words[at] != "--root") return usage_error(program, "unknown argument " + words[at]);
        if (at + 1 >= words.size() || words[at + 1].empty()) return usage_error(program, "--root needs a folder");
        if (!set_device_root(words[at + 1])) {
            std::fprintf(stderr, "%s: cannot use %s as the device root\n", program.name, words[at + 1].c_str());
            return kExitFailure;
        }
        ++at;
    }
    // Before Qt makes threads, so that none of them takes the signals.
    if (!block_termination_signals()) {
        std::fprintf(stderr, "%s: cannot block SIGTERM and SIGINT\n", program.name);
        return kExitFailure;
    }
    using device::DeviceLock;
    const auto lock = DeviceLock::acquire(program.lock_file);
    if (!lock) {
        if (const auto pid = DeviceLock::running_pid(program.lock_file))
            std::fprintf(stderr, "%s: %s already runs for this device (pid %d)\n", program.name, program.running, *pid);
        else
            std::fprintf(stderr, "%s: cannot lock the device root's %s\n", program.name, program.lock_file);
        return kExitFailure;
    }

    QApplication app(argc, argv);
    if (!quit_on_termination_signals()) {
        std::fprintf(stderr, "%s: cannot watch SIGTERM and SIGINT\n", program.name);
        return kExitFailure;
    }
    run(app);
    return kExitOk;
}

}  // namespace zt::platform::gui
