#include "world/testing/temp_folder.h"

#include <cstdlib>
#include <string>
#include <system_error>

namespace zt::world::testing {

TempFolder::TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "zt-world-XXXXXX").string();
    if (::mkdtemp(pattern.data())) m_path = pattern;
}

TempFolder::~TempFolder() {
    std::error_code ec;
    if (!m_path.empty()) std::filesystem::remove_all(m_path, ec);
}

}  // namespace zt::world::testing
