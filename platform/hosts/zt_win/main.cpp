// zt-win: the device's windows from a terminal: list them, post them messages.
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include "platform/base/device_root.h"
#include "platform/hosts/zt_win/window_commands.h"

using namespace zt::platform;

namespace {

void print_usage(std::ostream& to) {
    to << "usage: zt-win [--root DIR] COMMAND ...\n"
       << zt_win::window_commands_usage()
       << "--root DIR uses the device root DIR instead of ZT_ROOT or the default device.\n"
          "Exit status: 0 done, 1 no such window, 2 usage error or failure.\n";
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string_view> args(argv + 1, argv + argc);
    std::size_t i = 0;
    std::string root;
    for (; i < args.size() && args[i].starts_with("-"); ++i) {
        if (args[i] == "--help" || args[i] == "-h") {
            print_usage(std::cout);
            return zt_win::kExitOk;
        }
        if (args[i] == "--root" && i + 1 < args.size()) {
            root = std::string(args[++i]);
        } else if (args[i].starts_with("--root=")) {
            root = std::string(args[i].substr(7));
        } else {
            std::cerr << "zt-win: unknown option or missing value: '" << args[i] << "'\n";
            print_usage(std::cerr);
            return zt_win::kExitFailure;
        }
    }
    if (i < args.size() && (args[i] == "--help" || args[i] == "help")) {
        print_usage(std::cout);
        return zt_win::kExitOk;
    }
    if (i == args.size() || !zt_win::is_window_command(args[i])) {
        std::cerr << (i == args.size() ? "zt-win: no command given\n" : "zt-win: unknown command '" + std::string(args[i]) + "'\n");
        print_usage(std::cerr);
        return zt_win::kExitFailure;
    }
    if (!root.empty() && !set_device_root(root)) {
        std::cerr << "zt-win: cannot use device root " << root << "\n";
        return zt_win::kExitFailure;
    }
    if (device_root().empty()) {
        std::cerr << "zt-win: no device root (set ZT_ROOT or pass --root)\n";
        return zt_win::kExitFailure;
    }
    int status = zt_win::run_window_command({ args.begin() + static_cast<std::ptrdiff_t>(i), args.end() }, std::cout, std::cerr);
    std::cout.flush();
    if (!std::cout) {
        std::cerr << "zt-win: cannot write the output\n";
        return zt_win::kExitFailure;
    }
    return status;
}
