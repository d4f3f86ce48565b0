#include "skins/skin_folder_safety.h"

#include <algorithm>
#include <array>
#include <optional>
#include <system_error>

#include "platform/base/device_folders.h"
#include "platform/base/device_path.h"
#include "platform/base/text.h"

namespace zt::skins {
namespace {

namespace fs = std::filesystem;

// A skin is a few hundred images at most; a tree far larger is not one.
constexpr size_t kMaxEntries = 20000;

constexpr std::array<std::u16string_view, 8> kImageExtensions = { u".png", u".zip", u".bmp", u".jpg",
                                                                  u".jpeg", u".gif", u".tif", u".tiff" };

std::optional<fs::path> resolved(std::u16string_view device_path) {
    if (device_path.empty()) return std::nullopt;
    std::optional<fs::path> host = platform::map_device_path(device_path);
    if (!host) return std::nullopt;
    std::error_code ec;
    fs::path canonical = fs::weakly_canonical(*host, ec);
    if (ec || canonical.empty()) return std::nullopt;
    return canonical;
}

using platform::at_or_below;

bool strictly_below(const fs::path& inner, const fs::path& outer) { return at_or_below(inner, outer) && inner != outer; }

std::vector<fs::path> resolved_all(const std::vector<std::u16string>& device_paths) {
    std::vector<fs::path> paths;
    for (const std::u16string& path : device_paths)
        if (std::optional<fs::path> canonical = resolved(path)) paths.push_back(*canonical);
    return paths;
}

// A location at or above a folder of the device, or inside "\Windows", would let a hostile
// installation folder open the whole device.
std::vector<fs::path> usable_locations(const SkinFolderRules& rules) {
    std::vector<fs::path> usable;
    for (const std::u16string& location : rules.skin_locations) {
        if (platform::is_protected_device_folder(location)) continue;
        if (std::optional<fs::path> canonical = resolved(location)) usable.push_back(*canonical);
    }
    return usable;
}

bool holds_only_skin_images(const fs::path& folder) {
    std::error_code ec;
    size_t entries = 0;
    for (fs::recursive_directory_iterator it(folder, fs::directory_options::none, ec), end; it != end; it.increment(ec)) {
        if (ec || ++entries > kMaxEntries) return false;
        const fs::file_status status = it->symlink_status(ec);
        if (ec || fs::is_symlink(status)) return false;
        if (fs::is_directory(status)) continue;
        if (!fs::is_regular_file(status) || !is_skin_image_name(it->path().filename().u16string())) return false;
    }
    return !ec;
}

}  // namespace

bool is_skin_image_name(std::u16string_view name) {
    return std::any_of(kImageExtensions.begin(), kImageExtensions.end(), [name](std::u16string_view extension) {
        return name.size() > extension.size() &&
               platform::equal_ignoring_case(name.substr(name.size() - extension.size()), extension);
    });
}

SkinFolderVerdict judge_skin_folder(std::u16string_view device_folder, const SkinFolderRules& rules) {
    std::optional<fs::path> host = platform::map_device_path(device_folder);
    std::optional<fs::path> folder = resolved(device_folder);
    if (!host || !folder) return SkinFolderVerdict::Refused;
    std::error_code ec;
    // The registered name itself must be the folder, not a link to one elsewhere.
    fs::path unslashed = host->has_filename() ? *host : host->parent_path();
    if (fs::is_symlink(fs::symlink_status(unslashed, ec))) return SkinFolderVerdict::Refused;

    if (platform::is_protected_device_folder(device_folder)) return SkinFolderVerdict::Refused;
    const std::vector<fs::path> locations = usable_locations(rules);
    if (std::none_of(locations.begin(), locations.end(), [&](const fs::path& location) { return strictly_below(*folder, location); }))
        return SkinFolderVerdict::Refused;
    std::vector<fs::path> kept = resolved_all(rules.protected_folders);
    kept.insert(kept.end(), locations.begin(), locations.end());
    if (std::any_of(kept.begin(), kept.end(), [&](const fs::path& protected_folder) { return at_or_below(protected_folder, *folder); }))
        return SkinFolderVerdict::Refused;

    const fs::file_status status = fs::symlink_status(*folder, ec);
    if (!fs::exists(status)) return SkinFolderVerdict::Absent;
    if (!fs::is_directory(status)) return SkinFolderVerdict::Refused;
    return holds_only_skin_images(*folder) ? SkinFolderVerdict::Deletable : SkinFolderVerdict::Refused;
}

}  // namespace zt::skins
