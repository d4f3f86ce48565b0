#pragma once
// File steps of the installer hook on device paths. Every step is best effort: a missing file
// or folder is skipped, nothing is reported.
#include <string>
#include <string_view>

namespace zt::setup {

inline constexpr char16_t kMarkerFilePath[] = u"\\ZunTimeInstallation.txt";

bool device_file_exists(std::u16string_view device_path);
// True for an existing folder.
bool device_folder_exists(std::u16string_view device_path);
// Creates an empty file (replacing one that is there).
void create_empty_file(std::u16string_view device_path);
void delete_device_file(std::u16string_view device_path);

// Deletes the folder with everything in it, read-only entries made writable first. Refused
// (false, nothing deleted) for the device's root, for "\Windows" and for a folder that holds
// `keep` (a folder being installed into must never go with an older copy).
bool delete_installation_folder(std::u16string_view folder, std::u16string_view keep = {});

// Two device paths naming the same place (the device's file names ignore case).
bool same_device_place(std::u16string_view a, std::u16string_view b);

// The four executables that travel with "_exe" in the package.
void give_executables_exe_extension(std::u16string_view installation_folder);
void give_executables_package_extension(std::u16string_view installation_folder);

}  // namespace zt::setup
