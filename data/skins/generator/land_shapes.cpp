#include "data/skins/generator/land_shapes.h"

#include <fstream>
#include <sstream>
#include <string>

namespace zt::skinart {

std::optional<LandShapes> read_land_shapes(const std::filesystem::path& path)
{
    std::ifstream in(path);
    if (!in)
        return std::nullopt;
    LandShapes land;
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty())
            continue;
        std::istringstream head(line);
        std::string word;
        long count = 0;
        if (!(head >> word >> count) || word != "ring" || count < 3 || count > 1'000'000)
            return std::nullopt;
        QPolygonF ring;
        ring.reserve(static_cast<qsizetype>(count));
        for (long i = 0; i < count; ++i) {
            double lon = 0, lat = 0;
            if (!std::getline(in, line))
                return std::nullopt;
            std::istringstream point(line);
            if (!(point >> lon >> lat) || lon < -180 || lon > 180 || lat < -90 || lat > 90)
                return std::nullopt;
            ring << QPointF(lon, lat);
        }
        land.rings.push_back(std::move(ring));
    }
    return land;
}

}  // namespace zt::skinart
