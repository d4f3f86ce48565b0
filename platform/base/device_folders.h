#pragma once
// The device's own folders, and which folders may never be deleted whole.
//
// A folder to delete often comes from a value anyone can write (a registry string, a command
// line), so the check is made on where the path really leads: links and ".." are resolved first.
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace zt::platform {

// "\" (the device root), "\Windows", "\Program Files" and "\My Documents".
const std::vector<std::u16string>& device_own_folders();

// Makes the device's own folders that do not exist yet: a handheld always has them, and programs
// write into "\My Documents" without making it. False when one could not be made.
bool make_device_own_folders();

// True when deleting the folder with everything below it would take one of the device's own
// folders with it (it is one of them or lies above one), or when it lies inside "\Windows"
// (the device's programs and libraries). A path that does not map into the device counts as
// protected too: what cannot be judged is not deleted.
bool is_protected_device_folder(std::u16string_view device_folder);

// `inner` is `outer` or lies below it (paths compared component by component, as given).
bool at_or_below(const std::filesystem::path& inner, const std::filesystem::path& outer);

}  // namespace zt::platform
