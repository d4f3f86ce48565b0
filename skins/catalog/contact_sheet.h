#pragma once
// A contact sheet of a skin folder for review: every image of the folder on a checkerboard,
// transparent images shown with their opacity applied, each captioned with its file name.
#include <filesystem>

namespace zt::skintool {

bool write_contact_sheet(const std::filesystem::path& folder, const std::filesystem::path& out_png);

}  // namespace zt::skintool
