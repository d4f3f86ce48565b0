#pragma once
// CTimerSlotScreen: the five slot rows the time counters and the countdown timers share. Each
// row shows one timer record of the screen's direction (the record naming that slot), with its
// edit button, its time and its start and reset buttons from the skin's "Timer.png" layout.
//
// On activation the slots are bound to the store's records; missing ones are made with the
// presets. Actions work on all slots, taps on the row they hit; afterwards every slot is saved,
// the due time rescheduled and the rows drawn again. The screen wakes every 50 ms only while a
// slot runs, and draws only when a shown second changed.
#include <array>
#include <string>

#include "app/frame/timer_screen.h"
#include "core/timer.h"

namespace zt::app {

class CTimerSlotScreen : public CTimerScreen {
public:
    static constexpr uint32_t kRefreshMs = 50;
    static constexpr int kSlots = core::CTimer::kSlotsPerScreen;

    CTimerSlotScreen(ScreenNumber number, bool count_up, const ScreenSources& sources);

    bool activate() override;
    bool tick() override;
    bool needs_refresh() const override { return m_running; }
    bool handle_action(int action) override;
    // Offered to the slots in order until one takes it.
    void tap(skins::Point point) override;
    TimerRowsLayout rows_layout() const;
    // The record bound to the slot (nullptr before activation).
    core::CTimer* slot_timer(int slot) const;
    bool count_up() const { return m_count_up; }

protected:
    // Action 2 on all slots.
    virtual void lap_reset_all() = 0;
    // Action 3; false when the screen has none.
    virtual bool save_all_laps() { return false; }
    // The slot's edit button (only when the screen allows it); true when the record changed.
    virtual bool edit_slot(core::CTimer& timer) = 0;
    // A tap on the slot's digits.
    virtual void tap_digits(core::CTimer&) {}
    // Text shown over the row's time; none by default.
    virtual std::u16string row_caption(const core::CTimer&) const { return {}; }

    // Every slot saved, the due time rescheduled, the screen drawn and its refresh updated.
    void slots_changed();

    void compose(skins::CPicture& canvas) override;

private:
    void bind_slots();
    bool tap_slot(int slot, skins::Point point);
    void update_running();
    void draw_row(skins::CPicture& canvas, const TimerRowsLayout& rows, int slot);

    const bool m_count_up;
    std::array<int32_t, kSlots> m_ids {};
    std::array<std::u16string, kSlots> m_drawn;  // each row's time when last drawn
    bool m_running { false };
};

}  // namespace zt::app
