// zt-reg: the device's registry editor for people and scripts.
#include <iostream>
#include <string_view>
#include <vector>

#include "platform/base/device_root.h"
#include "platform/hosts/zt_reg/command_line.h"
#include "platform/hosts/zt_reg/commands.h"

using namespace zt::platform;

int main(int argc, char** argv) {
    std::vector<std::string_view> args(argv + 1, argv + argc);
    zt_reg::ParsedCommand parsed = zt_reg::parse_command_line(args);
    if (!parsed.command) {
        std::cerr << "zt-reg: " << parsed.error << "\n" << zt_reg::usage_text();
        return zt_reg::kExitFailure;
    }
    const zt_reg::Command& command = *parsed.command;
    if (command.root_dir && !set_device_root(*command.root_dir)) {
        std::cerr << "zt-reg: cannot use device root " << *command.root_dir << "\n";
        return zt_reg::kExitFailure;
    }
    if (command.action != zt_reg::Action::Help && device_root().empty()) {
        std::cerr << "zt-reg: no device root (set ZT_ROOT or pass --root)\n";
        return zt_reg::kExitFailure;
    }
    int status = zt_reg::run_command(command, { std::cout, std::cerr, std::cin });
    std::cout.flush();
    if (!std::cout) {
        std::cerr << "zt-reg: cannot write the output\n";
        return zt_reg::kExitFailure;
    }
    return status;
}
