#include "platform/testing/temp_device_root.h"

#include <gtest/gtest.h>

#include <system_error>

#include "platform/base/device_root.h"

namespace zt::platform::testing {

TempDeviceRoot::TempDeviceRoot() {
    if (m_folder.path().empty()) return;
    if (!set_device_root(m_folder.path())) {
        ADD_FAILURE() << "cannot make " << m_folder.path() << " the device root";
        return;
    }
    m_path = device_root();
    m_runtime = device_runtime_dir();
    EXPECT_FALSE(m_runtime.empty()) << "no runtime folder for " << m_path;
}

TempDeviceRoot::~TempDeviceRoot() {
    // The live objects of the device go too, or every test run leaves a folder behind.
    std::error_code ignored;
    if (!m_runtime.empty()) std::filesystem::remove_all(m_runtime, ignored);
}

bool TempDeviceRoot::activate() const { return !m_path.empty() && set_device_root(m_path); }

}  // namespace zt::platform::testing
