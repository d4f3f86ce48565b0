#pragma once
// A fresh, empty device root for one test: made under $TMPDIR (else /tmp), made current for
// this process and (through ZT_ROOT) for the processes it starts, removed afterwards together
// with its runtime folder of live objects.
#include <filesystem>

#include "platform/testing/temp_folder.h"

namespace zt::platform::testing {

class TempDeviceRoot {
public:
    TempDeviceRoot();
    ~TempDeviceRoot();
    TempDeviceRoot(const TempDeviceRoot&) = delete;
    TempDeviceRoot& operator=(const TempDeviceRoot&) = delete;

    // Empty (and the test already failed) when the root could not be made.
    const std::filesystem::path& path() const { return m_path; }
    const std::filesystem::path& runtime_dir() const { return m_runtime; }
    // Makes this the device of the process again, after a test switched to another one.
    bool activate() const;

private:
    TempFolder m_folder { "zt-root" };
    std::filesystem::path m_path;
    std::filesystem::path m_runtime;
};

}  // namespace zt::platform::testing
