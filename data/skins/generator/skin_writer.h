#pragma once
// Draws one built-in skin into its folder: every image in its normal form and, where a
// doubled normal image would look coarse, its _vga form.
#include <QString>
#include <filesystem>
#include <vector>

#include "data/skins/generator/land_shapes.h"
#include "data/skins/generator/skin_style.h"

namespace zt::skinart {

struct WriteReport {
    std::vector<QString> written;
    std::vector<QString> failed;  // painter faults or unwritable files
};

WriteReport write_skin(const SkinStyle& style, const LandShapes& land, const std::filesystem::path& folder);

}  // namespace zt::skinart
