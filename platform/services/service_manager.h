#pragma once
// Service-manager calls for installers and tools (the platform's ActivateService,
// GetServiceHandle and DeregisterService): they act on the running device of the current
// device root through its control channel. Registering a service is writing its registry
// entry (service_registry.h); a registered service also loads at the device's next start.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zt::platform::services {

using ServiceHandle = uint32_t;

enum class ServiceStatus { Ok, DeviceNotRunning, NotFound, AlreadyActive, Failed };

struct ServiceResult {
    ServiceStatus status { ServiceStatus::Failed };
    ServiceHandle handle { 0 };  // for Ok (and AlreadyActive: the handle of the loaded one)
};

// Loads the service registered under HKLM "Services\<registry_name>" in the running device.
ServiceResult activate_service(std::u16string_view registry_name);
// The handle of a loaded service by its device name, e.g. "STM0:".
ServiceResult get_service_handle(std::u16string_view device_name);
// Calls the service's Deinit and unloads it; its registry entry stays.
ServiceStatus deregister_service(ServiceHandle handle);

struct RunningDevice {
    int pid { 0 };
    struct Service {
        ServiceHandle handle { 0 };
        std::u16string name;
        std::u16string device_name;
    };
    std::vector<Service> services;
};
// nullopt when no device of this root answers.
std::optional<RunningDevice> query_running_device();

const char* service_status_name(ServiceStatus status);

}  // namespace zt::platform::services
