#include "platform/hosts/zt_device/service_host.h"

#include <dlfcn.h>

#include <cstdio>

#include "platform/base/device_path.h"
#include "platform/base/text.h"

namespace zt::platform::services {
namespace {

using EntryPoint = uint32_t (*)(uint32_t);

// "Dll" is a file name in \Windows\ unless it is already a device path.
std::u16string library_device_path(const std::u16string& dll) {
    if (dll.find(u'\\') != std::u16string::npos || dll.find(u'/') != std::u16string::npos) return dll;
    return u"\\Windows\\" + dll;
}

EntryPoint entry_point(void* library, const std::u16string& prefix, const char* suffix) {
    std::string symbol = utf16_to_utf8(prefix) + suffix;
    return reinterpret_cast<EntryPoint>(dlsym(library, symbol.c_str()));
}

void complain(const ServiceEntry& entry, const std::string& why) {
    std::fprintf(stderr, "zt-device: service %s not loaded: %s\n", utf16_to_utf8(entry.name).c_str(), why.c_str());
}

}  // namespace

ServiceHost::~ServiceHost() { unload_all(); }

std::size_t ServiceHost::load_registered() {
    for (const auto& entry : registered_services()) {
        if (entry.flags & kFlagNoLoad) continue;
        load(entry);
    }
    return m_instances.size();
}

ServiceHost::Activation ServiceHost::activate(std::u16string_view name) {
    auto entry = registered_service(name);
    if (!entry) return { Outcome::NotRegistered, 0 };
    return load(*entry);
}

ServiceHost::Activation ServiceHost::load(const ServiceEntry& entry) {
    auto device_name = entry.device_name();
    for (const auto& instance : m_instances) {
        if (equal_ignoring_case(instance.info.device_name, device_name) ||
            equal_ignoring_case(instance.info.name, entry.name)) {
            return { Outcome::AlreadyActive, instance.info.handle };
        }
    }
    auto path = map_device_path(library_device_path(entry.dll));
    if (!path) {
        complain(entry, "the library path leaves the device");
        return { Outcome::Failed, 0 };
    }
    void* library = dlopen(path->c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!library) {
        const char* error = dlerror();
        complain(entry, error ? error : "cannot load the library");
        return { Outcome::Failed, 0 };
    }
    EntryPoint init = entry_point(library, entry.prefix, "_Init");
    if (!init) {
        complain(entry, "no " + utf16_to_utf8(entry.prefix) + "_Init");
        dlclose(library);
        return { Outcome::Failed, 0 };
    }
    uint32_t context = init(entry.index);
    if (context == 0) {
        complain(entry, utf16_to_utf8(entry.prefix) + "_Init failed");
        dlclose(library);
        return { Outcome::Failed, 0 };
    }
    if (!entry.keep) {
        // A run-once library: it did its work in Init and is not kept.
        dlclose(library);
        return { Outcome::Loaded, 0 };
    }
    Instance instance;
    instance.info = { m_next_handle++, entry.name, device_name };
    instance.library = library;
    instance.deinit = entry_point(library, entry.prefix, "_Deinit");
    instance.context = context;
    m_instances.push_back(std::move(instance));
    return { Outcome::Loaded, m_instances.back().info.handle };
}

std::optional<ServiceHandle> ServiceHost::find(std::u16string_view device_name) const {
    for (const auto& instance : m_instances) {
        if (equal_ignoring_case(instance.info.device_name, device_name)) return instance.info.handle;
    }
    return std::nullopt;
}

void ServiceHost::unload(Instance& instance) {
    if (instance.deinit) instance.deinit(instance.context);
    dlclose(instance.library);
}

bool ServiceHost::deregister(ServiceHandle handle) {
    for (auto it = m_instances.begin(); it != m_instances.end(); ++it) {
        if (it->info.handle != handle) continue;
        Instance instance = std::move(*it);
        m_instances.erase(it);
        unload(instance);
        return true;
    }
    return false;
}

void ServiceHost::unload_all() {
    while (!m_instances.empty()) {
        Instance instance = std::move(m_instances.back());
        m_instances.pop_back();
        unload(instance);
    }
}

std::size_t ServiceHost::restart_all() {
    std::vector<std::u16string> names;
    for (const auto& instance : m_instances) names.push_back(instance.info.name);
    unload_all();
    for (const auto& name : names) activate(name);
    return m_instances.size();
}

std::vector<LoadedService> ServiceHost::loaded() const {
    std::vector<LoadedService> list;
    for (const auto& instance : m_instances) list.push_back(instance.info);
    return list;
}

}  // namespace zt::platform::services
