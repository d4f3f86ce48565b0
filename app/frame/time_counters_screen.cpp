#include "app/frame/time_counters_screen.h"

namespace zt::app {

void CTimeCountersScreen::lap_reset_all() {
    bool any_running = false;
    for (int slot = 0; slot < kSlots; ++slot) {
        core::CTimer* timer = slot_timer(slot);
        if (timer && timer->state == core::CTimer::kRunning) {
            timer->lap();
            any_running = true;
        }
    }
    if (any_running) return;
    for (int slot = 0; slot < kSlots; ++slot)
        if (core::CTimer* timer = slot_timer(slot)) timer->reset();
}

bool CTimeCountersScreen::save_all_laps() {
    for (int slot = 0; slot < kSlots; ++slot)
        if (const core::CTimer* timer = slot_timer(slot)) save_laps(*timer, false, lap_file_ui());
    return true;
}

bool CTimeCountersScreen::edit_slot(core::CTimer& timer) {
    if (sources().show_timer_laps) sources().show_timer_laps(this, timer);
    return false;
}

}  // namespace zt::app
