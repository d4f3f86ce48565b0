#pragma once
// The service window's procedure: the main program asks it to re-read the screen-saver
// settings, the Today item to start the screen saver now. Everything else, WM_COPYDATA and
// unknown numbers included, goes to the default handling.
#include <cstdint>
#include <optional>

#include "service/service_device.h"
#include "service/service_state.h"

namespace zt::service {

class ServiceWindowHandler {
public:
    static constexpr std::chrono::milliseconds kAfterScreenSaverStart { 1'000 };

    ServiceWindowHandler(ServiceState& state, ServiceDevice& device) : m_state(state), m_device(device) {}

    // The answer for a message handled here; nothing for the default handling. WM_DESTROY is
    // left to the caller, which ends its loop.
    std::optional<uint32_t> on_message(uint32_t number);

private:
    ServiceState& m_state;
    ServiceDevice& m_device;
};

}  // namespace zt::service
