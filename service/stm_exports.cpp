// The services host's stream interface of ZunTimeService, prefix STM. These are the only
// symbols the library exports; the host finds them by name with dlsym.
//
//   uint32_t STM_Init(uint32_t context)      starts the service; 1 when it runs, 0 when it could
//                                            not start. A second call while running returns 1
//                                            and starts nothing.
//   uint32_t STM_Deinit(uint32_t handle)     stops it; always 0.
//   uint32_t STM_IOControl(uint32_t handle, uint32_t code, const void* in, uint32_t in_size,
//                          void* out, uint32_t out_size, uint32_t* out_actual)
//                                            does nothing; 1 (success) for any code.
//   uint32_t STM_Open(uint32_t handle, uint32_t access, uint32_t share_mode)
//   uint32_t STM_Close(uint32_t open_handle)
//   uint32_t STM_Read(uint32_t open_handle, void* buffer, uint32_t count)
//   uint32_t STM_Write(uint32_t open_handle, const void* buffer, uint32_t count)
//   uint32_t STM_Seek(uint32_t open_handle, int32_t amount, uint32_t method)
//                                            do nothing; 0.
// No exception leaves the library: a failure inside reads as 0.
#include <cstdint>
#include <memory>
#include <mutex>

#include "service/zun_time_service.h"

#define ZT_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

std::mutex& service_mutex() {
    static std::mutex mutex;
    return mutex;
}

std::unique_ptr<zt::service::ZunTimeService>& running_service() {
    static std::unique_ptr<zt::service::ZunTimeService> service;
    return service;
}

// What the handheld did with one shared function under five names.
uint32_t stream_call_does_nothing() {
    return 0;
}

}  // namespace

ZT_EXPORT uint32_t STM_Init(uint32_t /*context*/) {
    try {
        std::lock_guard lock(service_mutex());
        if (!running_service()) running_service() = zt::service::ZunTimeService::start();
        return running_service() ? 1 : 0;
    } catch (...) {
        return 0;
    }
}

ZT_EXPORT uint32_t STM_Deinit(uint32_t /*handle*/) {
    try {
        std::lock_guard lock(service_mutex());
        if (auto& service = running_service()) {
            service->stop();
            service.reset();
        }
    } catch (...) {
    }
    return 0;
}

ZT_EXPORT uint32_t STM_IOControl(uint32_t, uint32_t, const void*, uint32_t, void*, uint32_t, uint32_t*) {
    return 1;
}

ZT_EXPORT uint32_t STM_Open(uint32_t, uint32_t, uint32_t) {
    return stream_call_does_nothing();
}

ZT_EXPORT uint32_t STM_Close(uint32_t) {
    return stream_call_does_nothing();
}

ZT_EXPORT uint32_t STM_Read(uint32_t, void*, uint32_t) {
    return stream_call_does_nothing();
}

ZT_EXPORT uint32_t STM_Write(uint32_t, const void*, uint32_t) {
    return stream_call_does_nothing();
}

ZT_EXPORT uint32_t STM_Seek(uint32_t, int32_t, uint32_t) {
    return stream_call_does_nothing();
}
