#include "setup/device_files.h"

#include <array>
#include <filesystem>
#include <fstream>
#include <optional>
#include <system_error>

#include "platform/base/device_folders.h"
#include "platform/base/device_path.h"
#include "platform/base/device_root.h"

namespace zt::setup {
namespace fs = std::filesystem;
namespace {

std::optional<fs::path> host_path(std::u16string_view device_path) {
    return platform::map_device_path(device_path);
}

void make_writable(const fs::path& path) {
    std::error_code error;
    fs::permissions(path, fs::perms::owner_write, fs::perm_options::add, error);
}

// "\Windows\ZunTimeNotify." ... followed by "_exe" or "exe".
std::array<std::u16string, 4> executable_stems(std::u16string_view folder) {
    return { u"\\Windows\\ZunTimeNotify.", u"\\Windows\\Ringout.", u"\\Windows\\Notepurge.",
             std::u16string(folder) + u"\\ZunTime." };
}

void rename_executable(const std::u16string& stem, std::u16string_view from, std::u16string_view to) {
    auto source = host_path(stem + std::u16string(from));
    auto target = host_path(stem + std::u16string(to));
    std::error_code error;
    if (!source || !target || !fs::is_regular_file(*source, error)) return;
    if (fs::exists(*target, error)) {
        make_writable(*target);
        fs::remove(*target, error);
    }
    fs::rename(*source, *target, error);
}

}  // namespace

bool device_file_exists(std::u16string_view device_path) {
    std::error_code error;
    auto path = host_path(device_path);
    return path && fs::is_regular_file(*path, error);
}

bool device_folder_exists(std::u16string_view device_path) {
    std::error_code error;
    auto path = host_path(device_path);
    return path && fs::is_directory(*path, error);
}

void create_empty_file(std::u16string_view device_path) {
    if (auto path = host_path(device_path)) std::ofstream(*path, std::ios::binary | std::ios::trunc);
}

void delete_device_file(std::u16string_view device_path) {
    std::error_code error;
    if (auto path = host_path(device_path); path && !fs::is_directory(*path, error)) {
        make_writable(*path);
        fs::remove(*path, error);
    }
}

bool same_device_place(std::u16string_view a, std::u16string_view b) {
    auto first = host_path(a);
    auto second = host_path(b);
    if (!first || !second) return false;
    std::error_code error;
    fs::path a_place = fs::weakly_canonical(*first, error);
    if (error) return false;
    fs::path b_place = fs::weakly_canonical(*second, error);
    return !error && a_place == b_place;
}

bool delete_installation_folder(std::u16string_view folder, std::u16string_view keep) {
    std::error_code error;
    auto path = host_path(folder);
    if (!path || !fs::is_directory(*path, error)) return false;
    // The folder comes from "AppPath" or the installer, values anyone can write.
    if (platform::is_protected_device_folder(folder)) return false;
    fs::path target = fs::weakly_canonical(*path, error);
    if (!keep.empty()) {
        if (auto kept = host_path(keep)) {
            fs::path relative = fs::weakly_canonical(*kept, error).lexically_relative(target);
            if (!relative.empty() && *relative.begin() != "..") return false;
        }
    }
    for (auto it = fs::recursive_directory_iterator(target, error); !error && it != fs::end(it); it.increment(error))
        if (!it->is_symlink(error)) make_writable(it->path());
    make_writable(target);
    fs::remove_all(target, error);
    return !error;
}

void give_executables_exe_extension(std::u16string_view installation_folder) {
    for (const auto& stem : executable_stems(installation_folder)) rename_executable(stem, u"_exe", u"exe");
}

void give_executables_package_extension(std::u16string_view installation_folder) {
    for (const auto& stem : executable_stems(installation_folder)) rename_executable(stem, u"exe", u"_exe");
}

}  // namespace zt::setup
