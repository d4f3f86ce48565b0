// A stand-in for the product's programs in end-to-end tests. Each start appends a line to
// <device root>/started.log: its device path, its command line and the device's local time
// in milliseconds of the day. Copied as "ZunTime.exe" it also opens the main program's window
// and runs until that window is closed, then appends "<path>\tended".
#include <cstdio>
#include <string>

#include "contracts/main_program.h"
#include "platform/base/clock.h"
#include "platform/base/device_root.h"
#include "platform/base/text.h"
#include "platform/kernel/module_path.h"
#include "platform/windows/message_loop.h"
#include "platform/windows/window.h"

namespace {

void append(const std::string& line) {
    const std::string path = (zt::platform::device_root() / "started.log").string();
    if (std::FILE* file = std::fopen(path.c_str(), "a")) {
        std::fputs((line + "\n").c_str(), file);
        std::fclose(file);
    }
}

}  // namespace

int main(int argc, char** argv) {
    using namespace zt::platform;
    const std::string module = utf16_to_utf8(own_module_path());
    const SYSTEMTIME now = local_time();
    const long day_ms = ((now.wHour * 60L + now.wMinute) * 60L + now.wSecond) * 1000L + now.wMilliseconds;
    append(module + "\t" + utf16_to_utf8(command_line(argc, argv)) + "\t" + std::to_string(day_ms));
    if (!equal_ignoring_case(utf8_to_utf16(module.substr(module.find_last_of('\\') + 1)), u"ZunTime.exe")) return 0;

    auto window = Window::create(zt::contracts::kMainProgramClass, u"Zun Time",
                                 [](Window&, const Message&) -> std::optional<uint32_t> { return std::nullopt; },
                                 WindowOptions { true, { 0, 0, 100, 100 } });
    if (!window) return 3;
    run_message_loop(*window);
    append(module + "\tended");
    return 0;
}
