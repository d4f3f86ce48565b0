#include "platform/testing/temp_folder.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstdlib>
#include <string>
#include <system_error>

namespace zt::platform::testing {

TempFolder::TempFolder(std::string_view prefix) {
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/" + std::string(prefix) + "-XXXXXX";
    if (!::mkdtemp(pattern.data())) {
        ADD_FAILURE() << "cannot make a temporary folder like " << pattern;
        return;
    }
    m_path = pattern;
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    if (!m_path.empty()) std::filesystem::remove_all(m_path, ignored);
}

}  // namespace zt::platform::testing
