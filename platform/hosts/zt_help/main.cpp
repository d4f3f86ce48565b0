// PegHelp: the device's help program. The product starts "\Windows\PegHelp.exe" with
// "file:ZunTime.htm#topic"; the desktop's browser shows it where there is one, else our own
// viewer does.
#include <QApplication>

#include <cstdio>
#include <cstring>

#include "platform/base/text.h"
#include "platform/gui/debug_bridge.h"
#include "platform/gui/help.h"
#include "platform/hosts/zt_help/desktop_browser.h"
#include "platform/hosts/zt_help/help_viewer.h"

namespace {

constexpr char kUsage[] =
    "usage: PegHelp [file:]NAME[#TOPIC]\n"
    "Shows a help file of the device at a topic. A relative NAME lies in the folder of the\n"
    "product's AppPath (HKCU Software\\Zunworks\\Zun Time), else in \\Windows.\n"
    "The desktop's browser is used when a display and xdg-open exist (ZT_HELP_VIEWER=builtin\n"
    "keeps the built-in viewer).\n"
    "Exit codes: 0 shown, 1 file not found, 2 usage or failure.\n";

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2 || std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
        std::fputs(kUsage, argc == 2 ? stdout : stderr);
        return argc == 2 ? 0 : 2;
    }
    const auto target = zt::platform::gui::resolve_help_argument(zt::platform::utf8_to_utf16(argv[1]));
    if (!target) {
        std::fprintf(stderr, "PegHelp: \"%s\" names no file of the device\n", argv[1]);
        return 2;
    }
    std::error_code error;
    if (!std::filesystem::is_regular_file(target->host_path, error)) {
        std::fprintf(stderr, "PegHelp: %s not found\n", zt::platform::utf16_to_utf8(target->device_path).c_str());
        return 1;
    }
    if (zt::platform::help::desktop_browser_usable() && zt::platform::help::open_in_desktop_browser(*target)) return 0;

    QApplication app(argc, argv);
    zt::platform::gui::install_debug_bridge();
    zt::platform::help::HelpViewer viewer;
    viewer.open(*target);
    viewer.show();
    return app.exec() == 0 ? 0 : 2;
}
