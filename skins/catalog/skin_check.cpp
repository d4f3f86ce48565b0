#include "skins/catalog/skin_check.h"

#include <algorithm>
#include <optional>

#include "skins/catalog/skin_catalog.h"
#include "skins/image_strip.h"
#include "skins/picture_loader.h"

namespace zt::skintool {

namespace {

namespace fs = std::filesystem;

std::string base_of(const std::string& name)
{
    return name.substr(0, name.rfind('.'));
}

// The skin manager's order inside one folder: on a high-resolution screen "_vga.zip" and
// "_vga.png" first, then ".zip" and ".png". Returns the file and whether it is a _vga form.
std::optional<std::pair<fs::path, bool>> resolve(const fs::path& folder, const std::string& name, bool high,
                                                 bool require_vga)
{
    const std::string base = base_of(name);
    std::vector<std::pair<std::string, bool>> candidates;
    if (high) {
        candidates.push_back({ base + "_vga.zip", true });
        candidates.push_back({ base + "_vga.png", true });
    }
    if (!high || !require_vga) {
        candidates.push_back({ base + ".zip", false });
        candidates.push_back({ base + ".png", false });
    }
    for (const auto& [file, vga] : candidates) {
        std::error_code ec;
        if (fs::is_regular_file(folder / file, ec))
            return std::make_pair(folder / file, vga);
    }
    return std::nullopt;
}

std::string point_text(const skins::Point& p)
{
    return "(" + std::to_string(p.x) + ", " + std::to_string(p.y) + ")";
}

// What the screens of this resolution would miss in a strip; empty when nothing. `vga` says
// the file is a _vga form, drawn as it is rather than doubled.
std::string strip_problem(const ImageRule& rule, const skins::CImageStrip& strip, bool high, bool vga)
{
    if (!strip.valid())
        return "not a strip: width must be even and at least 2";
    // A last row without a boundary marker leaves an empty trailing part that no screen uses.
    size_t parts = strip.part_count();
    if (parts > 0 && strip.parts().back().height == 0)
        --parts;
    if (static_cast<int>(parts) != rule.parts)
        return "has " + std::to_string(parts) + " parts, screens use " + std::to_string(rule.parts);
    if (rule.tallest_part > 0) {
        const int32_t room = rule.tallest_part * (vga ? 2 : 1);
        for (size_t i = 0; i < parts; ++i)
            if (strip.parts()[i].height > room)
                return "part " + std::to_string(i) + " is " + std::to_string(strip.parts()[i].height) +
                       " rows high, screens have room for " + std::to_string(room);
    }
    for (int index : rule.anchored_parts) {
        const auto part = strip.part(index);
        if (!part || part->anchor_x <= 0 || part->anchor_x >= strip.half_width() || part->anchor_y < 0 ||
            part->anchor_y >= part->height)
            return "part " + std::to_string(index) + " has no anchor inside it";
    }
    for (const ScreenSize& screen : checked_screens()) {
        if (screen.high_resolution() != high)
            continue;
        for (int n : rule.values) {
            const auto value = strip.value(n, high);
            if (!value)
                return "value pixel " + std::to_string(n) + " is absent (grey)";
            if (value->x < 0 || value->y < 0 || value->x > screen.width || value->y > screen.height)
                return "value pixel " + std::to_string(n) + " " + point_text(*value) + " lies outside a " +
                       std::to_string(screen.width) + " x " + std::to_string(screen.height) + " screen";
        }
    }
    if (rule.colour_part >= 0) {
        const auto part = strip.part(rule.colour_part);
        if (!part || part->height < 1 || strip.half_width() < rule.colours)
            return "part " + std::to_string(rule.colour_part) + " does not hold the " +
                   std::to_string(rule.colours) + " colours screens read";
    }
    return {};
}

}  // namespace

const std::vector<ScreenSize>& checked_screens()
{
    static const std::vector<ScreenSize> screens { { 240, 320 }, { 320, 240 }, { 240, 240 },
                                                   { 480, 640 }, { 640, 480 }, { 480, 480 } };
    return screens;
}

bool CheckResult::complete() const
{
    return std::all_of(findings.begin(), findings.end(), [](const Finding& f) { return f.problem.empty(); });
}

CheckResult check_skin(const fs::path& folder, bool require_vga)
{
    CheckResult result;
    for (const ImageRule& rule : skin_catalog()) {
        for (bool high : { false, true }) {
            const auto found = resolve(folder, rule.name, high, require_vga);
            if (!found) {
                std::string what = high && require_vga ? "missing file (no _vga form)" : "missing file";
                if (rule.optional)
                    what += "; screens draw without it";
                result.findings.push_back({ high ? base_of(rule.name) + "_vga.png" : rule.name, what });
                continue;
            }
            const std::string shown = found->first.filename().string() + (high ? " (480 wide)" : " (240 wide)");
            auto picture = skins::load_picture_file(found->first);
            if (!picture) {
                result.findings.push_back({ shown, "cannot be decoded" });
                continue;
            }
            if (rule.kind == ImageKind::Plain) {
                result.findings.push_back({ shown, {} });
                continue;
            }
            // A _vga image carries its value pixels in normal-screen units as well: the screens
            // double them on a high-resolution screen whichever file they came from.
            const skins::CImageStrip strip(std::move(*picture));
            result.findings.push_back({ shown, strip_problem(rule, strip, high, found->second) });
        }
    }
    return result;
}

}  // namespace zt::skintool
