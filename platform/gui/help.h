#pragma once
// The device's help: the product starts "\Windows\PegHelp.exe" with "file:ZunTime.htm#topic";
// the help program resolves the file and shows it. No Qt here: starting and resolving are
// plain device calls, the showing lives in the help program (platform/hosts/zt_help).
//
// Resolution of the file part (with or without the "file:" prefix):
//  - a device path (starting with "\") is taken as it is;
//  - a relative name lies in the application folder: the "AppPath" value (HKEY_CURRENT_USER
//    "Software\Zunworks\Zun Time", the main program's full device path) up to and including
//    its last "\" or "/"; when that is missing or has no separator, in "\Windows".
// The anchor is what follows the first "#" (may be empty).
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace zt::platform::gui {

inline constexpr char16_t kHelpProgram[] = u"\\Windows\\PegHelp.exe";

struct HelpTarget {
    std::u16string device_path;       // the file as a device path
    std::filesystem::path host_path;  // where that is on this machine
    std::u16string anchor;            // without "#"
};

// nullopt for an empty file part or a path outside the device.
std::optional<HelpTarget> resolve_help_argument(std::u16string_view argument);

// Starts the help program with the argument; false when it cannot be started.
bool start_help(std::u16string_view argument);

}  // namespace zt::platform::gui
