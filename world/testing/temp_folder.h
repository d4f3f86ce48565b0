#pragma once
// A fresh folder under the system temp folder, removed with everything in it at the end.
#include <filesystem>

namespace zt::world::testing {

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::filesystem::path& path() const { return m_path; }
    std::filesystem::path operator/(const char* name) const { return m_path / name; }

private:
    std::filesystem::path m_path;
};

}  // namespace zt::world::testing
