#include "service/service_window_handler.h"

#include "contracts/service.h"
#include "service/main_program.h"

namespace zt::service {

std::optional<uint32_t> ServiceWindowHandler::on_message(uint32_t number) {
    switch (number) {
    case contracts::kMsgRereadScreenSaverSettings:
        m_state.reload_settings();
        return 0;
    case contracts::kMsgStartScreenSaver:
        if (!m_state.screen_saver_active() && start_screen_saver(m_state, m_device)) {
            m_device.sleep(kAfterScreenSaverStart);
            m_state.set_screen_saver_active(true);
        }
        return 0;
    default:
        return std::nullopt;
    }
}

}  // namespace zt::service
