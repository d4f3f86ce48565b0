#pragma once
// Small text records of the device's live state (LEDs, display, idle timer) in the device's
// runtime folder: written whole by rename, so a reader in any process sees the old or the
// new text, never a mix.
#include <filesystem>
#include <string>
#include <string_view>

namespace zt::platform::alert {

// Empty when the device has no runtime folder.
std::filesystem::path runtime_record_dir();
bool write_runtime_record(std::string_view name, std::string_view text);
// Empty when missing or unreadable.
std::string read_runtime_record(std::string_view name);

}  // namespace zt::platform::alert
