#pragma once
// Reads the lines of a ZT_AUDIO=log:PATH file.
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace zt::platform::audio::testing {

inline std::vector<std::string> read_log(const std::filesystem::path& path) {
    std::vector<std::string> lines;
    std::ifstream in(path);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

}  // namespace zt::platform::audio::testing
