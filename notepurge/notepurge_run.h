#pragma once
// The Notepurge program without its process: command line in, messages out, result back.
#include <cstdint>
#include <functional>
#include <string_view>

namespace zt::notepurge {

inline constexpr uint32_t kMinimumPlatformVersion = 400;  // major * 100 + minor
inline constexpr int kOldDeviceResult = -1;

using MessageSink = std::function<void(std::u16string_view text)>;

// Returns the number of records deleted, or kOldDeviceResult on a platform older than 4.0.
// Messages ("Old device", "Done! %d record(s) deleted.") go to `show` unless silenced.
int run_notepurge(std::u16string_view command_line, uint32_t platform_version, const MessageSink& show);

}  // namespace zt::notepurge
