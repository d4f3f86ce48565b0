#include "platform/hosts/zt_install/installer.h"

#include <sys/stat.h>
#include <unistd.h>

#include <optional>
#include <system_error>

#include "platform/base/device_folders.h"
#include "platform/base/device_path.h"
#include "platform/base/device_root.h"
#include "platform/base/state_files.h"
#include "platform/base/text.h"
#include "platform/hosts/zt_install/file_ownership.h"
#include "platform/hosts/zt_install/install_record.h"
#include "platform/hosts/zt_install/package_copy.h"
#include "platform/hosts/zt_install/package_manifest.h"
#include "platform/hosts/zt_install/setup_library.h"

namespace zt::platform::install {
namespace {

namespace fs = std::filesystem;

InstallReport failed(std::string message) { return { InstallOutcome::Failed, std::move(message) }; }

std::u16string without_trailing_separator(std::u16string_view folder) {
    std::u16string text(folder);
    while (text.size() > 1 && (text.back() == u'\\' || text.back() == u'/')) text.pop_back();
    if (!text.empty() && text.front() != u'\\') text.insert(text.begin(), u'\\');
    return text;
}

std::optional<SetupLibrary> load_kept_setup(const InstallRecord& record) {
    if (record.setup_library.empty()) return std::nullopt;
    auto path = map_device_path(record.setup_library);
    if (!path) return std::nullopt;
    return SetupLibrary::load(*path);
}

// Removes a recorded file unless another application records it too; a link in its place
// goes, never what it points to.
void delete_recorded_file(std::u16string_view file, const FileOwnership& others) {
    if (others.owns(file)) return;
    auto path = map_device_path(file);
    struct stat info {};
    if (!path) return;
    ::unlink(partial_copy_of(*path).c_str());
    if (::lstat(path->c_str(), &info) != 0 || S_ISDIR(info.st_mode)) return;
    ::unlink(path->c_str());
}

// The whole removal of a recorded copy: its library's Uninstall_Init, its files, Uninstall_Exit.
void remove_recorded_copy(std::u16string_view application, const InstallRecord& record) {
    const FileOwnership others = FileOwnership::of_others(application);
    auto setup = load_kept_setup(record);
    if (setup) setup->uninstall_init(record.installation_folder);
    for (const auto& file : record.files) delete_recorded_file(file, others);
    if (setup) setup->uninstall_exit();
    if (!record.setup_library.empty()) delete_recorded_file(record.setup_library, others);
    delete_install_record(application);
}

// Why a package may not put a file at this destination, or nullopt: the device's own state
// (registry, notification volume, clock, locks) lives at the top of the root; another
// application's files are its own; links are never written through.
std::optional<std::string> refused_destination(std::u16string_view destination, const fs::path& target,
                                               const FileOwnership& others) {
    const fs::path root = device_root();
    const std::string shown = utf16_to_utf8(destination);
    fs::path below = target.lexically_normal().lexically_relative(root);
    if (below.empty() || *below.begin() == "..") return "destination outside the device: " + shown;
    if (is_device_state_name(utf8_to_utf16(below.begin()->string())))
        return "destination is the device's own state: " + shown;
    if (others.owns(destination)) return "destination belongs to another application: " + shown;
    if (auto problem = check_device_target(root, target)) return "destination refused: " + *problem;
    return std::nullopt;
}

struct PlannedCopy {
    std::string source;           // relative to the package folder
    std::u16string destination;   // device path
    fs::path target;              // host path
    std::optional<FileIdentity> copied;
};

// Where the setup library's Install_Exit moved copied files to (renamed in their folders), so
// that the record keeps them as this application's.
std::vector<std::u16string> moved_by_setup(const std::vector<PlannedCopy>& copies) {
    std::vector<std::u16string> moved;
    for (const auto& copy : copies) {
        if (!copy.copied) continue;
        if (auto now = find_renamed(copy.target, *copy.copied))
            if (auto device = to_device_path(*now)) moved.push_back(std::move(*device));
    }
    return moved;
}

}  // namespace

InstallReport install_package(const fs::path& package, std::u16string_view folder_text) {
    ManifestError manifest_error;
    auto manifest = read_manifest(package, &manifest_error);
    if (!manifest)
        return failed("manifest line " + std::to_string(manifest_error.line) + ": " + manifest_error.reason);
    const std::u16string folder = without_trailing_separator(folder_text);
    if (folder.size() < 2 || !map_device_path(folder)) return failed("the installation folder is not a device folder");
    // Removing the application deletes its folder: it must be one of its own.
    if (is_protected_device_folder(folder))
        return failed("the installation folder is, holds or lies in one of the device's own folders");
    const fs::path root = device_root();
    const FileOwnership others = FileOwnership::of_others(manifest->application);

    // Every file is checked before anything on the device changes.
    std::vector<PlannedCopy> copies;
    for (const auto& file : manifest->files) {
        if (auto problem = check_package_file(package, file.source)) return failed(*problem);
        std::u16string destination = expand_destination(file.destination, folder);
        auto target = map_device_path(destination);
        if (!target) return failed("destination outside the device: " + utf16_to_utf8(destination));
        if (auto problem = refused_destination(destination, *target, others)) return failed(*problem);
        copies.push_back({ file.source, std::move(destination), std::move(*target), std::nullopt });
    }
    std::optional<SetupLibrary> setup;
    std::u16string kept;
    std::optional<fs::path> kept_target;
    if (!manifest->setup_library.empty()) {
        if (auto problem = check_package_file(package, manifest->setup_library)) return failed(*problem);
        kept = std::u16string(kSetupCopyFolder) + u"\\" + manifest->application + u".setup.so";
        kept_target = map_device_path(kept);
        if (!kept_target) return failed("cannot keep the setup library at " + utf16_to_utf8(kept));
        if (auto problem = refused_destination(kept, *kept_target, others)) return failed(*problem);
        std::string error;
        setup = SetupLibrary::load(package / manifest->setup_library, &error);
        if (!setup) return failed("cannot load the setup library: " + error);
    }

    auto previous = read_install_record(manifest->application);
    if (setup && setup->install_init(previous.has_value(), folder) == codeINSTALL_INIT_CANCEL)
        return { InstallOutcome::Cancelled, "the setup library cancelled the installation" };
    if (previous) remove_recorded_copy(manifest->application, *previous);

    // Recorded before the first copy: an installation cut short by a crash or a kill can still
    // be removed, and its files are known to be this application's.
    InstallRecord record;
    record.installation_folder = folder;
    for (const auto& copy : copies) record.files.push_back(copy.destination);
    record.setup_library = kept;
    if (!write_install_record(manifest->application, record)) return failed("cannot record the installation");

    std::string message;
    for (auto& copy : copies) {
        copy.copied = copy_package_file(package, copy.source, root, copy.target, &message);
        if (!copy.copied) return failed(message);
    }
    if (setup && !copy_package_file(package, manifest->setup_library, root, *kept_target, &message)) {
        record.setup_library.clear();  // removal then goes without the library's hooks
        write_install_record(manifest->application, record);
    }
    if (setup) setup->install_exit(folder);
    record.moved = moved_by_setup(copies);
    if (!record.moved.empty() && !write_install_record(manifest->application, record))
        return failed("cannot record the files the setup library renamed");
    return { previous ? InstallOutcome::Upgraded : InstallOutcome::Installed, {} };
}

InstallReport remove_application(std::u16string_view application) {
    auto record = read_install_record(application);
    if (!record) return { InstallOutcome::NotInstalled, "not installed" };
    remove_recorded_copy(application, *record);
    return { InstallOutcome::Removed, {} };
}

}  // namespace zt::platform::install
