#pragma once
// The package installer of the device root that device_root() names: installs a package
// folder (see package_manifest.h) and removes an installed application, calling the package's
// setup library around the file steps (order in setup_interface.h).
//
// Installing over a recorded copy is an upgrade: the old copy is removed through the setup
// library it was installed with (kept in "\Windows\AppMgr"), then the new files are copied.
// Files are copied whole over what is there; nothing outside the device root is touched.
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
