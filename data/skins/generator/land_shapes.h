#pragma once
// The land outlines the world maps are drawn from: rings of (longitude, latitude) in degrees,
// read from the plain polygon file made by data/skins/map/make_land_poly.mjs.
#include <QPolygonF>
#include <filesystem>
#include <optional>
#include <vector>

namespace zt::skinart {

struct LandShapes {
    std::vector<QPolygonF> rings;  // x = longitude, y = latitude
};

// nullopt when the file cannot be read or a line is malformed.
std::optional<LandShapes> read_land_shapes(const std::filesystem::path& path);

}  // namespace zt::skinart
