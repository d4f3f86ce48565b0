#pragma once
// A fresh folder under $TMPDIR (else /tmp) for one test, removed with everything in it.
#include <filesystem>
#include <string_view>

namespace zt::platform::testing {

class TempFolder {
public:
    // The folder's name starts with `prefix`, so a left-over one shows which test made it.
    explicit TempFolder(std::string_view prefix = "zt-test");
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // Empty (and the test already failed) when the folder could not be made.
    const std::filesystem::path& path() const { return m_path; }
    std::filesystem::path operator/(const std::filesystem::path& name) const { return m_path / name; }

private:
    std::filesystem::path m_path;
};

}  // namespace zt::platform::testing
