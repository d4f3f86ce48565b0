#pragma once
// What the generator makes against what is committed, by decoded pixels: the raster engine's
// antialiasing and the PNG compressor differ between machines (CPU features, library builds),
// so the bytes and a few edge pixels may differ, while a changed drawing differs by far more.
#include <QPoint>
#include <QRgb>
#include <filesystem>
#include <string>

namespace zt::skinart {

struct Reproduction {
    std::string problem;  // empty when the files agree
    int worst { 0 };      // the largest difference in one channel
    int differing { 0 };  // pixels that differ at all
    QPoint where;
    QRgb made { 0 }, committed { 0 };
};

Reproduction compare_decoded(const std::filesystem::path& made, const std::filesystem::path& committed);

// "#aarrggbb", for failure messages.
std::string hex(QRgb c);

}  // namespace zt::skinart
