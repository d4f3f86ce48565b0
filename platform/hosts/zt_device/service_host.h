#pragma once
// The services host inside the running device: loads registered service libraries, calls
// their <Prefix>_Init once and <Prefix>_Deinit when they are unloaded.
//
// Calls come from the device's main loop only (one thread). A service's Init and Deinit run
// on that thread; a service that wants to keep working starts threads of its own.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/services/service_registry.h"

namespace zt::platform::services {

using ServiceHandle = uint32_t;  // never 0 for a loaded service

struct LoadedService {
    ServiceHandle handle { 0 };
    std::u16string name;
    std::u16string device_name;
};

class ServiceHost {
public:
    ServiceHost() = default;
    ServiceHost(const ServiceHost&) = delete;
    ServiceHost& operator=(const ServiceHost&) = delete;
    ~ServiceHost();  // unloads everything

    enum class Outcome { Loaded, AlreadyActive, NotRegistered, Failed };
    struct Activation {
        Outcome outcome { Outcome::Failed };
        ServiceHandle handle { 0 };  // for Loaded (0 when the service asked not to be kept)
    };

    // Loads every registered service without the no-load flag, in "Order". Failures are
    // reported on stderr and skipped. Returns how many are loaded now.
    std::size_t load_registered();
    Activation activate(std::u16string_view name);
    // By device name ("STM0:"), any case.
    std::optional<ServiceHandle> find(std::u16string_view device_name) const;
    // Calls Deinit and unloads; false for an unknown handle.
    bool deregister(ServiceHandle handle);
    // Deinit in the reverse order of loading.
    void unload_all();
    // Deinit of every loaded service, then Init of each again in its first order (new
    // handles). Returns how many are loaded again.
    std::size_t restart_all();

    std::vector<LoadedService> loaded() const;

private:
    struct Instance {
        LoadedService info;
        void* library { nullptr };
        uint32_t (*deinit)(uint32_t) { nullptr };
        uint32_t context { 0 };  // what Init returned; Deinit gets it back
    };
    Activation load(const ServiceEntry& entry);
    void unload(Instance& instance);

    std::vector<Instance> m_instances;  // in load order
    ServiceHandle m_next_handle { 1 };
};

}  // namespace zt::platform::services
