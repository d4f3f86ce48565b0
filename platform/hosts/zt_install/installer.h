#pragma once
// The package installer of the device root that device_root() names: installs a package
// folder (see package_manifest.h) and removes an installed application, calling the package's
// setup library around the file steps (order in setup_interface.h).
//
// Installing over a recorded copy is an upgrade: the old copy is removed through the setup
// library it was installed with (kept in "\Windows\AppMgr"), then the new files are copied.
// Files are copied whole over what is there; nothing outside the device root is touched:
//  - no link is followed, in the package or in the device (package_copy.h);
//  - a package never writes the device's own state at the top of the root ("registry.db",
//    "mxip_notify.vol", "device_clock", the lock files ...) nor a file another installed
//    application records, and removing it never deletes such a file (file_ownership.h);
//  - the record is written before the first file is copied, so an installation cut short
//    can still be removed.
#include <filesystem>
#include <string>
#include <string_view>

namespace zt::platform::install {

enum class InstallOutcome { Installed, Upgraded, Removed, NotInstalled, Cancelled, Failed };

struct InstallReport {
    InstallOutcome outcome { InstallOutcome::Failed };
    std::string message;  // what failed, for Failed and Cancelled
};

InstallReport install_package(const std::filesystem::path& package, std::u16string_view installation_folder);
InstallReport remove_application(std::u16string_view application);

}  // namespace zt::platform::install
