#pragma once
// Splitting and checking the names callers hand to the registry.
#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

namespace zt::platform::registry::detail {

inline constexpr size_t kMaxKeyComponent = 255;
inline constexpr size_t kMaxKeyPath = 4096;
inline constexpr size_t kMaxValueName = 16383;

// The components of a key path; empty for "" or "\". nullopt when the path is malformed
// (empty inner component, over-long component or path). The views point into path.
std::optional<std::vector<std::u16string_view>> split_key_path(std::u16string_view path);

bool valid_value_name(std::u16string_view name);

}  // namespace zt::platform::registry::detail
