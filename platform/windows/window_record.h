#pragma once
// The record file that publishes a window to the device. Little-endian:
//
//   offset 0   u32 magic "ZTWR"
//   offset 4   u32 layout version (1)
//   offset 8   u32 owner process id
//   offset 12  u32 flags: bit 0 visible
//   offset 16  i32 left, top, right, bottom
//   offset 32  u64 z-order stamp
//   offset 40  class name, title, module path: each u32 count of UTF-16 units, then the units
//
// The handle is not stored: it is the file's name.
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "platform/windows/window_info.h"

namespace zt::platform::detail {

inline constexpr std::size_t kMaxModulePathUnits = 4096;
inline constexpr std::size_t kMaxRecordBytes =
    40 + 12 + 2 * (kMaxClassNameUnits + kMaxTitleUnits + kMaxModulePathUnits);

// Empty when a text is longer than its limit.
std::vector<std::uint8_t> encode_window_record(const WindowInfo& info);
// nullopt for anything that is not a whole, well-formed record. The handle is left 0.
std::optional<WindowInfo> decode_window_record(std::span<const std::uint8_t> bytes);

}  // namespace zt::platform::detail
