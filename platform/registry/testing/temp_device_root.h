#pragma once
// A fresh, empty device root for one test: made under $TMPDIR (else /tmp), made current for
// this process and (through ZT_ROOT) for the processes it starts, removed afterwards together
// with its runtime folder of live objects.
#include <filesystem>

namespace zt::platform::testing {

class TempDeviceRoot {
public:
    TempDeviceRoot();
    ~TempDeviceRoot();
    TempDeviceRoot(const TempDeviceRoot&) = delete;
    TempDeviceRoot& operator=(const TempDeviceRoot&) = delete;

    // Empty when the folder could not be made.
    const std::filesystem::path& path() const { return m_path; }

private:
    std::filesystem::path m_path;
    std::filesystem::path m_runtime;
};

}  // namespace zt::platform::testing
