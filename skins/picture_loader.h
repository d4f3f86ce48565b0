#pragma once
// Load picture: a skin image file into a new picture. "<name>.zip" (any case) is a zip archive
// whose first member is a Windows bitmap file; every other file goes through the device's
// image decoder. A missing file, a failed decode or no memory gives nullopt.
#include <filesystem>
#include <optional>
#include <string_view>

#include "skins/picture.h"

namespace zt::skins {

// A device path ("\Program Files\Zun Time\Default\Clock.png").
std::optional<CPicture> load_picture(std::u16string_view device_path);
// A host path, for tools and tests.
std::optional<CPicture> load_picture_file(const std::filesystem::path& path);

}  // namespace zt::skins
