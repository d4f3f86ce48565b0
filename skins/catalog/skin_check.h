#pragma once
// Checks a skin folder the way the screens will read it: each image of the catalog is found
// as the skin manager would find it (".zip" before ".png", "_vga" first on high-resolution
// screens), loaded through the product's own loader, and checked for what a screen would miss.
#include <filesystem>
#include <string>
#include <vector>

namespace zt::skintool {

struct ScreenSize {
    int width { 0 };
    int height { 0 };
    bool high_resolution() const { return width > 400; }
};

// 240 x 320, 320 x 240, 240 x 240 and their doubles.
const std::vector<ScreenSize>& checked_screens();

struct Finding {
    std::string image;    // "Clock_vga.png", or the catalog name when no file was found
    std::string problem;  // empty when the image is fine
};

struct CheckResult {
    std::vector<Finding> findings;  // one per image and resolution it was checked at
    bool complete() const;
};

// With require_vga, an image that has no _vga form fails the high-resolution check (the
// shipped skins promise one); otherwise the doubled normal image is accepted there.
CheckResult check_skin(const std::filesystem::path& folder, bool require_vga = false);

}  // namespace zt::skintool
