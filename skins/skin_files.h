#pragma once
// File questions the skin manager asks of the device's file system, on device paths.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zt::skins::files {

std::optional<std::filesystem::path> host_path(std::u16string_view device_path);
// The path exists and is not a folder.
bool is_file(std::u16string_view device_path);
bool is_folder(std::u16string_view device_path);
// Names of the plain files directly in the folder; empty when it cannot be read.
std::vector<std::u16string> file_names(std::u16string_view device_folder);
// Deletes the folder and everything in it, clearing read-only attributes first.
void delete_folder_tree(const std::filesystem::path& folder);
// Clears the read-only attribute and deletes one file; true when it is gone.
bool delete_file(const std::filesystem::path& file);
// Renames a plain file (not a link) within the device, replacing a file of the target's name;
// true when it moved.
bool move_file(const std::filesystem::path& from, const std::filesystem::path& to);
// A folder that is not a link.
bool is_real_folder(const std::filesystem::path& folder);

}  // namespace zt::skins::files
