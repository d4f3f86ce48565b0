#include "skins/skin_files.h"

#include <system_error>

#include "platform/base/device_path.h"

namespace zt::skins::files {
namespace fs = std::filesystem;

std::optional<fs::path> host_path(std::u16string_view device_path) {
    if (device_path.empty()) return std::nullopt;
    return platform::map_device_path(device_path);
}

bool is_file(std::u16string_view device_path) {
    std::optional<fs::path> host = host_path(device_path);
    std::error_code ec;
    return host && fs::exists(*host, ec) && !fs::is_directory(*host, ec);
}

bool is_folder(std::u16string_view device_path) {
    std::optional<fs::path> host = host_path(device_path);
    std::error_code ec;
    return host && fs::is_directory(*host, ec);
}

std::vector<std::u16string> file_names(std::u16string_view device_folder) {
    std::vector<std::u16string> names;
    std::optional<fs::path> host = host_path(device_folder);
    if (!host) return names;
    std::error_code ec;
    for (fs::directory_iterator it(*host, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code type_ec;
        if (!it->is_directory(type_ec)) names.push_back(it->path().filename().u16string());
    }
    return names;
}

void delete_folder_tree(const fs::path& folder) {
    std::error_code ec;
    if (!fs::is_directory(fs::symlink_status(folder, ec))) return;
    fs::permissions(folder, fs::perms::owner_all, fs::perm_options::add, ec);
    for (fs::recursive_directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code perm_ec;
        if (!it->is_symlink(perm_ec))
            fs::permissions(it->path(), fs::perms::owner_read | fs::perms::owner_write | (it->is_directory(perm_ec) ? fs::perms::owner_exec : fs::perms::none),
                            fs::perm_options::add, perm_ec);
    }
    fs::remove_all(folder, ec);
}

bool delete_file(const fs::path& file) {
    std::error_code ec;
    fs::permissions(file, fs::perms::owner_write, fs::perm_options::add | fs::perm_options::nofollow, ec);
    fs::remove(file, ec);
    return !ec && !fs::exists(fs::symlink_status(file, ec));
}

bool move_file(const fs::path& from, const fs::path& to) {
    std::error_code ec;
    if (!fs::is_regular_file(fs::symlink_status(from, ec))) return false;
    fs::rename(from, to, ec);
    return !ec;
}

bool is_real_folder(const fs::path& folder) {
    std::error_code ec;
    return fs::is_directory(fs::symlink_status(folder, ec));
}

}  // namespace zt::skins::files
