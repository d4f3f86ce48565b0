#pragma once
// Where the main program's data files lie: the folder of its own program file, whatever
// "AppPath" says (that value is for the other programs, which do not run from there).
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace zt::app {

// "\Program Files\Zun Time\ZunTime.exe" -> "\Program Files\Zun Time\"; empty without a "\".
std::u16string folder_of(std::u16string_view module_path);
// The host path of a file of the program's folder; nullopt when it lies outside the device.
std::optional<std::filesystem::path> program_file(std::u16string_view folder, std::u16string_view name);

}  // namespace zt::app
