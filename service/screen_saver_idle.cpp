#include "service/screen_saver_idle.h"

#include "contracts/main_program.h"
#include "core/time_math.h"
#include "service/foreground_rules.h"
#include "service/main_program.h"

namespace zt::service {

using zt::core::difference_ms;

ScreenSaverIdle::ScreenSaverIdle(ServiceState& state, ServiceDevice& device, const SYSTEMTIME& now)
    : m_state(state), m_device(device), m_last_activity(now) {}

void ScreenSaverIdle::refresh_settings() {
    m_state.take_settings_if_changed(m_settings);
}

ScreenSaverIdle::Next ScreenSaverIdle::on_wake(Wake wake, const SYSTEMTIME& now) {
    switch (wake) {
    case Wake::Activity: on_activity(now); return Next::Continue;
    case Wake::Stop: return Next::Stop;
    case Wake::Other: return Next::Continue;
    case Wake::TimedOut: on_idle_check(now); return Next::Continue;
    }
    return Next::Continue;
}

void ScreenSaverIdle::on_activity(const SYSTEMTIME& now) {
    m_last_activity = now;
    if (m_state.screen_saver_active()) {
        if (auto window = m_device.find_window(contracts::kMainProgramClass)) {
            if (m_state.main_was_running()) {
                m_device.post_message(*window, contracts::kMsgEndScreenSaver, 0, 0);
            } else {
                end_main_program(m_device, *window);
            }
        }
        m_state.set_screen_saver_active(false);
    }
    // The activity event stays set while the user is busy; this keeps the loop from spinning.
    m_device.sleep(kPauseAfterActivity);
}

bool ScreenSaverIdle::idle_clock_restarts(const SYSTEMTIME& now) {
    if (m_settings.mode == 0 || !m_last_check) return true;
    if (difference_ms(now, *m_last_check) >= kIdleCheckGapMs) return true;
    // A clock moved backwards is a clock change as well: without this the idle time would
    // read negative until the clock caught up, and the screen saver would never start.
    if (difference_ms(now, *m_last_check) < 0) return true;
    return m_settings.external_power_only && !m_device.ac_power_online();
}

void ScreenSaverIdle::on_idle_check(const SYSTEMTIME& now) {
    if (idle_clock_restarts(now)) {
        m_last_activity = now;
    } else if (!m_state.screen_saver_active() && difference_ms(now, m_last_activity) >= m_settings.timeout_ms &&
               !foreground_blocks_screen_saver(m_device, main_program_path())) {
        if (start_screen_saver(m_state, m_device)) m_state.set_screen_saver_active(true);
    }
    m_last_check = now;
}

}  // namespace zt::service
