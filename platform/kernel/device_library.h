#pragma once
// A shared library at a device path loaded into this process (a Today item, a dock applet),
// closed when the object goes. Whatever the library made (widgets, instances) lives in its
// code, so the owner destroys those first.
#include <optional>
#include <string>
#include <string_view>

namespace zt::platform {

class DeviceLibrary {
public:
    // Loads the library at a device path; nullopt with `error` telling why when the path is
    // empty, leaves the device or the library does not load.
    static std::optional<DeviceLibrary> open(std::u16string_view device_path, std::string& error);

    // An exported symbol; null when the library does not export it.
    void* symbol(const char* name) const;

    DeviceLibrary(DeviceLibrary&& other) noexcept;
    DeviceLibrary& operator=(DeviceLibrary&& other) noexcept;
    DeviceLibrary(const DeviceLibrary&) = delete;
    DeviceLibrary& operator=(const DeviceLibrary&) = delete;
    ~DeviceLibrary();

private:
    explicit DeviceLibrary(void* handle) : m_handle(handle) {}
    void* m_handle { nullptr };
};

}  // namespace zt::platform
