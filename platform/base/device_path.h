#pragma once
// Device paths are the handheld's file names: "\Windows\Ringout.exe", "\My Documents\Laps000.txt",
// "\Program Files\Zun Time\". They live under the device root.
//
// Guarantees:
//  - "\" and "/" both separate components; a leading separator is optional.
//  - Each component is taken as written when that name exists; otherwise an existing entry that
//    differs only in case is used (the handheld's file system ignores case). Components that do
//    not exist yet are kept as written, so new files can be named.
//  - The answer always lies inside the root: ".." that would climb above it, or a symlink that
//    leads out of it, refuses the whole path (nullopt). Empty components and "." are skipped.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace zt::platform {

std::optional<std::filesystem::path> map_device_path(std::u16string_view device_path);
std::optional<std::filesystem::path> map_device_path(std::u16string_view device_path,
                                                     const std::filesystem::path& root);

// The device path ("\" separated, leading "\") of a host file inside the root; nullopt outside.
std::optional<std::u16string> to_device_path(const std::filesystem::path& host);
std::optional<std::u16string> to_device_path(const std::filesystem::path& host,
                                             const std::filesystem::path& root);

}  // namespace zt::platform
