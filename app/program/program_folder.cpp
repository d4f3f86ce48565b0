#include "app/program/program_folder.h"

#include "platform/base/device_path.h"

namespace zt::app {

std::u16string folder_of(std::u16string_view module_path) {
    const size_t last = module_path.find_last_of(u"\\/");
    if (last == std::u16string_view::npos) return {};
    return std::u16string(module_path.substr(0, last + 1));
}

std::optional<std::filesystem::path> program_file(std::u16string_view folder, std::u16string_view name) {
    return zt::platform::map_device_path(std::u16string(folder) + std::u16string(name));
}

}  // namespace zt::app
