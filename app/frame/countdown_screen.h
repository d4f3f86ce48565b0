#pragma once
// CCountdownScreen: five countdown timers. "Lap/Reset" resets them all; the edit button of a
// stopped or paused one opens the timer editor; a tap on its time opens the interval menu: the
// five presets, the intervals entered in this run (at most three), then "Custom...". A
// countdown that runs out while shown is reset (the ringing program rings it).
#include <QMenu>

#include <memory>

#include "app/frame/timer_slot_screen.h"

namespace zt::app {

inline constexpr char16_t kCustomInterval[] = u"Custom...";

class CCountdownScreen final : public CTimerSlotScreen {
public:
    explicit CCountdownScreen(const ScreenSources& sources) : CTimerSlotScreen(ScreenNumber::Countdown, false, sources) {}

    // The interval menu of a timer as it would open now (tests and the device's tools read it).
    std::unique_ptr<QMenu> make_interval_menu(core::CTimer& timer);
    // A chosen interval: set, reset, saved and rescheduled.
    void set_interval(core::CTimer& timer, uint32_t seconds);

private:
    void lap_reset_all() override;
    bool edit_slot(core::CTimer& timer) override;
    void tap_digits(core::CTimer& timer) override;
    std::u16string row_caption(const core::CTimer& timer) const override;
    void custom_interval(core::CTimer& timer);
};

}  // namespace zt::app
