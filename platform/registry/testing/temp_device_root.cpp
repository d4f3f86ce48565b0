#include "platform/registry/testing/temp_device_root.h"

#include <stdlib.h>

#include <cstdlib>
#include <string>
#include <system_error>

#include "platform/base/device_root.h"

namespace zt::platform::testing {

TempDeviceRoot::TempDeviceRoot() {
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/zt-root-XXXXXX";
    if (!mkdtemp(pattern.data())) return;
    std::error_code ec;
    if (!set_device_root(pattern)) {
        std::filesystem::remove_all(pattern, ec);
        return;
    }
    m_path = device_root();
    m_runtime = device_runtime_dir();
}

TempDeviceRoot::~TempDeviceRoot() {
    std::error_code ec;
    // The live objects of the device go too, or every test run leaves a folder in /tmp.
    if (!m_runtime.empty()) std::filesystem::remove_all(m_runtime, ec);
    if (!m_path.empty()) std::filesystem::remove_all(m_path, ec);
}

}  // namespace zt::platform::testing
