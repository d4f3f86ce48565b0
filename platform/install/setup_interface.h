#pragma once
// The device's setup-library interface: a package may carry one shared library that the
// installer loads and calls around copying and removing the package's files. The four entry
// points are looked up by these names (C linkage). Every one returns a code; the installer
// goes on whatever the library answers, except that Install_Init may ask to cancel.
//
// Calling order of one installer run:
//   install:  Install_Init -> (an installed older copy is removed: its Uninstall_Init, its
//             files, its Uninstall_Exit) -> files copied -> Install_Exit
//   removal:  Uninstall_Init -> recorded files deleted -> Uninstall_Exit
// Folders are device paths ("\Program Files\Zun Time"), NUL-terminated UTF-16, without a
// trailing "\". The parent window is 0 when the installer has no window.
#include <cstdint>

namespace zt::platform::install {

enum codeINSTALL_INIT : uint32_t { codeINSTALL_INIT_CONTINUE = 0, codeINSTALL_INIT_CANCEL = 1 };
enum codeINSTALL_EXIT : uint32_t { codeINSTALL_EXIT_DONE = 0, codeINSTALL_EXIT_UNINSTALL = 1 };
enum codeUNINSTALL_INIT : uint32_t { codeUNINSTALL_INIT_CONTINUE = 0, codeUNINSTALL_INIT_CANCEL = 1 };
enum codeUNINSTALL_EXIT : uint32_t { codeUNINSTALL_EXIT_DONE = 0 };

using ParentWindow = uint32_t;

// first_call: the first of possibly several calls in one run (always true here);
// previously_installed: a copy recorded by the installer is on the device.
using InstallInitFn = uint32_t (*)(ParentWindow parent, int32_t first_call, int32_t previously_installed,
                                   const char16_t* installation_folder);
// The counters report what could not be created; this installer stops at a failure instead,
// so they are always 0.
using InstallExitFn = uint32_t (*)(ParentWindow parent, const char16_t* installation_folder,
                                   uint32_t failed_dirs, uint32_t failed_files, uint32_t failed_reg_keys,
                                   uint32_t failed_reg_values, uint32_t failed_shortcuts);
using UninstallInitFn = uint32_t (*)(ParentWindow parent, const char16_t* installation_folder);
using UninstallExitFn = uint32_t (*)(ParentWindow parent);

inline constexpr char kInstallInitName[] = "Install_Init";
inline constexpr char kInstallExitName[] = "Install_Exit";
inline constexpr char kUninstallInitName[] = "Uninstall_Init";
inline constexpr char kUninstallExitName[] = "Uninstall_Exit";

}  // namespace zt::platform::install
