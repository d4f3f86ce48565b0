#include "platform/testing/log_lines.h"

#include <algorithm>
#include <fstream>
#include <system_error>

namespace zt::platform::testing {

std::vector<std::string> LogLines::all() const {
    std::ifstream in(m_file);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

std::vector<std::string> LogLines::take() {
    const std::vector<std::string> lines = all();
    std::vector<std::string> fresh(lines.begin() + static_cast<std::ptrdiff_t>(std::min(m_seen, lines.size())), lines.end());
    m_seen = lines.size();
    return fresh;
}

bool LogLines::has_line_starting(std::string_view prefix) const {
    const std::vector<std::string> lines = all();
    return std::any_of(lines.begin(), lines.end(), [prefix](const std::string& line) { return line.starts_with(prefix); });
}

bool copy_into_root(const std::filesystem::path& root, const std::filesystem::path& built,
                    const std::filesystem::path& relative) {
    std::error_code error;
    std::filesystem::create_directories((root / relative).parent_path(), error);
    return std::filesystem::copy_file(built, root / relative, std::filesystem::copy_options::overwrite_existing, error);
}

}  // namespace zt::platform::testing
