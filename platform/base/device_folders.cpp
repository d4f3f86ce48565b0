#include "platform/base/device_folders.h"

#include <algorithm>
#include <optional>
#include <system_error>

#include "platform/base/device_path.h"
#include "platform/base/text.h"

namespace zt::platform {
namespace {

namespace fs = std::filesystem;

constexpr char16_t kWindowsFolder[] = u"\\Windows";

std::optional<fs::path> resolved(std::u16string_view device_path) {
    std::optional<fs::path> host = map_device_path(device_path);
    if (!host) return std::nullopt;
    std::error_code ec;
    fs::path canonical = fs::weakly_canonical(*host, ec);
    if (ec || canonical.empty()) return std::nullopt;
    return canonical;
}

// The device ignores case: a folder not made yet may be named in another case than the one it
// will meet.
bool at_or_below_ignoring_case(const fs::path& inner, const fs::path& outer) {
    auto [mismatch, rest] = std::mismatch(outer.begin(), outer.end(), inner.begin(), inner.end(),
                                          [](const fs::path& a, const fs::path& b) {
                                              return equal_ignoring_case(a.u16string(), b.u16string());
                                          });
    return mismatch == outer.end();
}

}  // namespace

const std::vector<std::u16string>& device_own_folders() {
    static const std::vector<std::u16string> folders = { u"\\", kWindowsFolder, u"\\Program Files", u"\\My Documents" };
    return folders;
}

bool at_or_below(const fs::path& inner, const fs::path& outer) {
    auto [mismatch, rest] = std::mismatch(outer.begin(), outer.end(), inner.begin(), inner.end());
    return mismatch == outer.end();
}

bool make_device_own_folders() {
    bool all = true;
    for (const std::u16string& folder : device_own_folders()) {
        std::optional<fs::path> host = map_device_path(folder);
        std::error_code ec;
        if (!host || (!fs::create_directories(*host, ec) && ec)) all = false;
    }
    return all;
}

bool is_protected_device_folder(std::u16string_view device_folder) {
    if (device_folder.empty()) return true;
    const std::optional<fs::path> folder = resolved(device_folder);
    if (!folder) return true;
    for (std::u16string_view own : device_own_folders()) {
        const std::optional<fs::path> place = resolved(own);
        if (place && at_or_below_ignoring_case(*place, *folder)) return true;
    }
    const std::optional<fs::path> windows = resolved(kWindowsFolder);
    return windows && at_or_below_ignoring_case(*folder, *windows);
}

}  // namespace zt::platform
