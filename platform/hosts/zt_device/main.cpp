// zt-device: the running device of a device root, and the tools to look at it.
#include <cstdio>
#include <string>
#include <vector>

#include "platform/base/device_root.h"
#include "platform/hosts/zt_device/commands.h"
#include "platform/hosts/zt_device/device_loop.h"

namespace {

using namespace zt::platform::device;

constexpr const char* kHelp =
    "usage: zt-device [--root DIR] VERB ...\n"
    "\n"
    "  run                                  be the device until SIGTERM/SIGINT: load the\n"
    "                                       registered services, fire notifications\n"
    "  clock [--offset SECONDS | --set \"YYYY-MM-DD HH:MM:SS\"]\n"
    "                                       show or move the device clock\n"
    "  notify list                          handle, time|event, start or event number, application\n"
    "  notify add --at \"YYYY-MM-DD HH:MM:SS\" APP [--args TEXT]\n"
    "  notify add --on time-change APP [--args TEXT]\n"
    "                                       APP: \\\\.\\Notifications\\NamedEvents\\NAME or a program path\n"
    "  notify clear HANDLE\n"
    "  windows                              handle, class, title, process id, executable path\n"
    "  post (--class NAME | --handle H) MSG [WPARAM [LPARAM]]\n"
    "                                       numbers in decimal or 0x hex\n"
    "  status                               running, pid, clock, registrations, services, AC power\n"
    "\n"
    "The debug bridge, to the foreground GUI program (exit 1 when none runs):\n"
    "  screencap FILE                       PNG of the device screen as a person sees it\n"
    "  input key NAME|CODE                  left up right down action button1..button4, or a\n"
    "                                       key code: press and release, as hardware keys arrive\n"
    "  input tap X Y                        stylus down and up at a device-screen point\n"
    "  input hold X Y                       tap-and-hold (the context-menu gesture) there\n"
    "  input drag X1 Y1 X2 Y2 [--ms N]      stylus down, moves over N ms (200), up\n"
    "  input text TEXT                      typed into the focused control\n"
    "  ui                                   the program's windows, menus and controls, one per\n"
    "                                       line: depth, kind, id, text, x, y, w, h, enabled,\n"
    "                                       state (tab-separated; see the README)\n"
    "Each input returns once the program has handled it.\n"
    "\n"
    "The device root is --root, else $ZT_ROOT, else $XDG_DATA_HOME/zuntime/device.\n"
    "Exit codes: 0 done, 1 not found, 2 usage or failure.\n";

}  // namespace

namespace zt::platform::device {

int usage_error(const std::string& what) {
    std::fprintf(stderr, "zt-device: %s (see --help)\n", what.c_str());
    return kExitFailure;
}

}  // namespace zt::platform::device

int main(int argc, char** argv) {
    std::vector<std::string> words(argv + 1, argv + argc);
    size_t at = 0;
    while (at < words.size()) {
        if (words[at] == "--help" || words[at] == "-h") {
            std::fputs(kHelp, stdout);
            return kExitOk;
        }
        if (words[at] != "--root") break;
        if (at + 1 >= words.size() || words[at + 1].empty()) return usage_error("--root needs a folder");
        if (!zt::platform::set_device_root(words[at + 1])) {
            std::fprintf(stderr, "zt-device: cannot use %s as the device root\n", words[at + 1].c_str());
            return kExitFailure;
        }
        at += 2;
    }
    if (at >= words.size()) return usage_error("no verb");
    const std::string verb = words[at];
    Words rest = Words(words).subspan(at + 1);
    for (const auto& word : rest) {
        if (word == "--help") {
            std::fputs(kHelp, stdout);
            return kExitOk;
        }
    }
    if (verb == "run") return rest.empty() ? run_device() : usage_error("run takes no arguments");
    if (verb == "clock") return clock_command(rest);
    if (verb == "notify") return notify_command(rest);
    if (verb == "status") return status_command(rest);
    if (verb == "windows") return windows_command(rest);
    if (verb == "post") return post_command(rest);
    if (verb == "screencap") return screencap_command(rest);
    if (verb == "input") return input_command(rest);
    if (verb == "ui") return ui_command(rest);
    return usage_error("unknown verb " + verb);
}
