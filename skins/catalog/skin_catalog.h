#pragma once
// Every image the system loads from a skin, and what the screens read from it: whether it is
// a strip, how many parts it has, which parts need an anchor, which value pixels must be
// present and which part's first row carries colours.
#include <string>
#include <string_view>
#include <vector>

namespace zt::skintool {

enum class ImageKind {
    Plain,  // a picture copied as it is (backgrounds, maps)
    Strip,  // colours left, opacity right, markers and value pixels
};

struct ImageRule {
    std::string name;                // "Clock.png"
    ImageKind kind { ImageKind::Strip };
    int parts { 1 };                 // parts a screen indexes (a trailing empty part is not counted)
    std::vector<int> anchored_parts; // parts whose anchor a screen uses
    std::vector<int> values;         // value pixels that must be present (not grey)
    int colour_part { -1 };          // part whose first row starts with colours, -1 none
    int colours { 0 };               // how many colours that row gives
    bool optional { false };         // the screen works without it
    int tallest_part { 0 };          // rows a part may have (doubled in a _vga form), 0 any
};

const std::vector<ImageRule>& skin_catalog();
const ImageRule* find_rule(std::string_view name);

}  // namespace zt::skintool
