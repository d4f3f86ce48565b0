#include "platform/kernel/module_path.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "platform/base/device_path.h"
#include "platform/base/device_root.h"
#include "platform/base/text.h"

namespace zt::platform {

std::u16string own_module_path() {
    std::error_code ec;
    auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (!ec) {
        if (auto mapped = to_device_path(exe, device_root())) return *mapped;
    }
    if (const char* module = std::getenv("ZT_MODULE"); module && *module)
        return utf8_to_utf16(module);
    return u"\\Windows\\" + utf8_to_utf16(exe.filename().string());
}

std::u16string command_line(int argc, char** argv) {
    std::u16string line;
    for (int i = 1; i < argc && argv && argv[i]; ++i) {
        if (i > 1) line.push_back(u' ');
        line += utf8_to_utf16(argv[i]);
    }
    return line;
}

}  // namespace zt::platform
