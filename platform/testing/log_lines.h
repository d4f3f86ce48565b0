#pragma once
// The lines a test's fake library appends to a log file, read as the test goes: what came since
// the last look, or whether a line has come at all.
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace zt::platform::testing {

class LogLines {
public:
    explicit LogLines(std::filesystem::path file) : m_file(std::move(file)) {}

    const std::filesystem::path& file() const { return m_file; }
    // The lines written since the last call (all of them the first time).
    std::vector<std::string> take();
    // Whether any line written so far begins with `prefix`.
    bool has_line_starting(std::string_view prefix) const;

private:
    std::vector<std::string> all() const;

    std::filesystem::path m_file;
    size_t m_seen { 0 };
};

// Copies a built file (a fake library) into the device root at `relative`, making its folders.
bool copy_into_root(const std::filesystem::path& root, const std::filesystem::path& built,
                    const std::filesystem::path& relative);

}  // namespace zt::platform::testing
