#include "platform/hosts/zt_install/installer.h"

#include <optional>
#include <system_error>

#include "platform/base/device_path.h"
#include "platform/base/text.h"
#include "platform/hosts/zt_install/install_record.h"
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

void delete_recorded_files(const InstallRecord& record) {
    std::error_code error;
    for (const auto& file : record.files) {
        auto path = map_device_path(file);
        if (!path || fs::is_directory(*path, error)) continue;
        fs::permissions(*path, fs::perms::owner_write, fs::perm_options::add, error);
        fs::remove(*path, error);
    }
}

// The whole removal of a recorded copy: its library's Uninstall_Init, its files, Uninstall_Exit.
void remove_recorded_copy(std::u16string_view application, const InstallRecord& record) {
    auto setup = load_kept_setup(record);
    if (setup) setup->uninstall_init(record.installation_folder);
    delete_recorded_files(record);
    if (setup) setup->uninstall_exit();
    if (!record.setup_library.empty())
        if (auto path = map_device_path(record.setup_library)) {
            std::error_code error;
            fs::remove(*path, error);
        }
    delete_install_record(application);
}

bool copy_one(const fs::path& source, const fs::path& target, std::string& message) {
    std::error_code error;
    fs::create_directories(target.parent_path(), error);
    if (fs::exists(target, error)) fs::permissions(target, fs::perms::owner_write, fs::perm_options::add, error);
    error.clear();
    fs::copy_file(source, target, fs::copy_options::overwrite_existing, error);
    if (error) message = "cannot copy " + source.string() + " to " + target.string() + ": " + error.message();
    return !error;
}

}  // namespace

InstallReport install_package(const fs::path& package, std::u16string_view folder_text) {
    ManifestError manifest_error;
    auto manifest = read_manifest(package, &manifest_error);
    if (!manifest)
        return failed("manifest line " + std::to_string(manifest_error.line) + ": " + manifest_error.reason);
    const std::u16string folder = without_trailing_separator(folder_text);
    if (folder.size() < 2 || !map_device_path(folder)) return failed("the installation folder is not a device folder");

    // Every file is checked before anything on the device changes.
    std::vector<std::pair<fs::path, std::u16string>> copies;
    for (const auto& file : manifest->files) {
        fs::path source = package / file.source;
        std::error_code error;
        if (!fs::is_regular_file(source, error)) return failed("missing in the package: " + file.source);
        std::u16string destination = expand_destination(file.destination, folder);
        if (!map_device_path(destination)) return failed("destination outside the device: " + utf16_to_utf8(destination));
        copies.emplace_back(std::move(source), std::move(destination));
    }

    std::optional<SetupLibrary> setup;
    if (!manifest->setup_library.empty()) {
        std::string error;
        setup = SetupLibrary::load(package / manifest->setup_library, &error);
        if (!setup) return failed("cannot load the setup library: " + error);
    }

    auto previous = read_install_record(manifest->application);
    if (setup && setup->install_init(previous.has_value(), folder) == codeINSTALL_INIT_CANCEL)
        return { InstallOutcome::Cancelled, "the setup library cancelled the installation" };
    if (previous) remove_recorded_copy(manifest->application, *previous);

    InstallRecord record;
    record.installation_folder = folder;
    std::string message;
    for (const auto& [source, destination] : copies) {
        auto target = map_device_path(destination);
        if (!target || !copy_one(source, *target, message)) {
            write_install_record(manifest->application, record);  // what did land can still be removed
            return failed(message.empty() ? "cannot map " + utf16_to_utf8(destination) : message);
        }
        record.files.push_back(destination);
    }
    if (setup) {
        std::u16string kept = std::u16string(kSetupCopyFolder) + u"\\" + manifest->application + u".setup.so";
        if (auto target = map_device_path(kept); target && copy_one(package / manifest->setup_library, *target, message))
            record.setup_library = kept;
    }
    if (!write_install_record(manifest->application, record)) return failed("cannot record the installation");
    if (setup) setup->install_exit(folder);
    return { previous ? InstallOutcome::Upgraded : InstallOutcome::Installed, {} };
}

InstallReport remove_application(std::u16string_view application) {
    auto record = read_install_record(application);
    if (!record) return { InstallOutcome::NotInstalled, "not installed" };
    remove_recorded_copy(application, *record);
    return { InstallOutcome::Removed, {} };
}

}  // namespace zt::platform::install
