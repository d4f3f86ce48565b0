#include "platform/kernel/device_library.h"

#include <dlfcn.h>

#include <utility>

#include "platform/base/device_path.h"

namespace zt::platform {

std::optional<DeviceLibrary> DeviceLibrary::open(std::u16string_view device_path, std::string& error) {
    if (device_path.empty()) {
        error = "no library is registered";
        return std::nullopt;
    }
    const auto path = map_device_path(device_path);
    if (!path) {
        error = "the library path leaves the device";
        return std::nullopt;
    }
    void* handle = dlopen(path->c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        const char* why = dlerror();
        error = why ? why : "cannot load the library";
        return std::nullopt;
    }
    return DeviceLibrary(handle);
}

void* DeviceLibrary::symbol(const char* name) const { return m_handle ? dlsym(m_handle, name) : nullptr; }

DeviceLibrary::DeviceLibrary(DeviceLibrary&& other) noexcept : m_handle(std::exchange(other.m_handle, nullptr)) {}

DeviceLibrary& DeviceLibrary::operator=(DeviceLibrary&& other) noexcept {
    if (this != &other) {
        if (m_handle) dlclose(m_handle);
        m_handle = std::exchange(other.m_handle, nullptr);
    }
    return *this;
}

DeviceLibrary::~DeviceLibrary() {
    if (m_handle) dlclose(m_handle);
}

}  // namespace zt::platform
