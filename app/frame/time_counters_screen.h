#pragma once
// CTimeCountersScreen: five count-up timers with laps. "Lap/Reset" laps every running one, or
// resets them all when none runs; "Save Laps" writes each one's laps to a file of its own; the
// edit button shows a counter's lap times.
#include "app/frame/timer_slot_screen.h"

namespace zt::app {

class CTimeCountersScreen final : public CTimerSlotScreen {
public:
    explicit CTimeCountersScreen(const ScreenSources& sources)
        : CTimerSlotScreen(ScreenNumber::TimeCounters, true, sources) {}

private:
    void lap_reset_all() override;
    bool save_all_laps() override;
    bool edit_slot(core::CTimer& timer) override;
};

}  // namespace zt::app
