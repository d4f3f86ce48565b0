#pragma once
// When removing a skin may delete its folder. A skin's folder is whatever its Skins value
// says, and any program or a person with a registry editor can write that value, so a folder
// is deleted only when it is plainly the skin's own:
//  - it lies strictly inside a skins location (the installation folder), never at one;
//  - it is not, and does not hold, a folder of the device ("\Windows", "\Program Files",
//    "\My Documents", the device root), the installation folder, the default skin's folder
//    or another registered skin's folder;
//  - it is a real folder (not a link), and everything in it is a skin image (see
//    is_skin_image_name) or a folder holding only such images.
// Paths are compared after resolving links, so a link or ".." cannot lead past these rules.
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace zt::skins {

struct SkinFolderRules {
    // Folders inside which skin folders may be deleted (device paths).
    std::vector<std::u16string> skin_locations;
    // Folders that are never deleted, nor any folder that holds one (device paths).
    std::vector<std::u16string> protected_folders;
};

enum class SkinFolderVerdict {
    Deletable,  // it exists and may be deleted
    Absent,     // it does not exist, and may be made (again) where it is
    Refused,    // not plainly a skin folder: leave it alone
};

// Image files a skin folder may hold: ".png", ".zip", ".bmp", ".jpg", ".jpeg", ".gif",
// ".tif", ".tiff" (any case).
bool is_skin_image_name(std::u16string_view name);

SkinFolderVerdict judge_skin_folder(std::u16string_view device_folder, const SkinFolderRules& rules);

}  // namespace zt::skins
