#include "app/frame/timer_slot_screen.h"

#include <algorithm>

#include "app/frame/timer_drawing.h"
#include "app/frame/timer_support.h"
#include "core/time_store.h"
#include "core/millisecond_clock.h"
#include "skins/drawing.h"
#include "skins/text_cut.h"

namespace zt::app {
namespace {

enum ControlPart { kStartPart = 0, kPausePart = 1, kResetPart = 2, kLapPart = 3, kEditPart = 4 };

}  // namespace

CTimerSlotScreen::CTimerSlotScreen(ScreenNumber number, bool count_up, const ScreenSources& sources)
    : CTimerScreen(number, kRefreshMs, sources, kTimerImage, kTimerControlImage), m_count_up(count_up) {}

void CTimerSlotScreen::bind_slots() {
    core::CTimeStore& store = sources().store;
    // Makes the records of free slots (with the presets) and reschedules.
    store.fill_timer_slots(m_count_up);
    for (int slot = 0; slot < kSlots; ++slot) {
        const core::CTimer* timer = store.timer_in_slot(m_count_up, static_cast<uint32_t>(slot));
        m_ids[static_cast<size_t>(slot)] = timer ? timer->id() : 0;
    }
}

core::CTimer* CTimerSlotScreen::slot_timer(int slot) const {
    if (slot < 0 || slot >= kSlots) return nullptr;
    const int32_t id = m_ids[static_cast<size_t>(slot)];
    return id > 0 ? sources().store.find_timer(id) : nullptr;
}

bool CTimerSlotScreen::activate() {
    if (active()) return true;
    if (!CTimerScreen::activate()) return false;
    bind_slots();
    update_running();
    return true;
}

void CTimerSlotScreen::update_running() {
    bool running = false;
    for (int slot = 0; slot < kSlots; ++slot)
        if (const core::CTimer* timer = slot_timer(slot)) running = running || timer->state == core::CTimer::kRunning;
    if (running == m_running) return;
    m_running = running;
    refresh_needs_changed();
}

bool CTimerSlotScreen::tick() {
    keep_awake().tick(m_running);
    bool changed = false;
    for (int slot = 0; slot < kSlots; ++slot) {
        core::CTimer* timer = slot_timer(slot);
        if (!timer) continue;
        sample_or_expire(*timer);
        changed = changed || timer_clock_text(timer->shown_ms()) != m_drawn[static_cast<size_t>(slot)];
    }
    const bool was_running = m_running;
    update_running();
    return changed || was_running != m_running;
}

void CTimerSlotScreen::slots_changed() {
    for (int slot = 0; slot < kSlots; ++slot) {
        if (core::CTimer* timer = slot_timer(slot)) {
            timer->save();
            timer->sample(core::timer_now());
        }
    }
    sources().store.reschedule();
    update_running();
    if (active()) redraw();
}

bool CTimerSlotScreen::handle_action(int action) {
    switch (action) {
        case 1: {
            bool any_running = false;
            for (int slot = 0; slot < kSlots; ++slot)
                if (const core::CTimer* timer = slot_timer(slot)) any_running = any_running || timer->state == core::CTimer::kRunning;
            for (int slot = 0; slot < kSlots; ++slot) {
                core::CTimer* timer = slot_timer(slot);
                if (!timer) continue;
                if (!any_running) timer->start();
                else if (timer->state == core::CTimer::kRunning) timer->toggle();
            }
            break;
        }
        case 2:
            lap_reset_all();
            break;
        case 3:
            if (!save_all_laps()) return false;
            break;
        default:
            return false;
    }
    slots_changed();
    return true;
}

void CTimerSlotScreen::tap(skins::Point point) {
    for (int slot = 0; slot < kSlots; ++slot)
        if (tap_slot(slot, point)) return;
}

bool CTimerSlotScreen::tap_slot(int slot, skins::Point point) {
    const TimerRowsLayout rows = rows_layout();
    const skins::Rect row = rows.row(slot);
    core::CTimer* timer = slot_timer(slot);
    if (!timer || !inside(row, point)) return false;
    const skins::Point at { row.left, row.top };
    const bool running = timer->state == core::CTimer::kRunning;
    if (inside(offset(rows.reset, at), point)) {
        lap_or_reset(*timer);
    } else if (inside(offset(rows.start, at), point)) {
        timer->toggle();
    } else if (inside(offset(rows.edit, at), point)) {
        if (!(m_count_up || !running) || !edit_slot(*timer)) return true;
    } else if (inside(offset(rows.digits, at), point)) {
        if (!m_count_up && !running) tap_digits(*timer);
        return true;
    } else {
        return true;
    }
    slots_changed();
    return true;
}

TimerRowsLayout CTimerSlotScreen::rows_layout() const {
    return timer_rows_layout(image(), layout_size(), layout().high_resolution);
}

void CTimerSlotScreen::compose(skins::CPicture& canvas) {
    if (!load_images()) return;
    const TimerRowsLayout rows = rows_layout();
    if (image()) skins::draw_part(canvas, *image(), 0, 0, 0, rows.origin.x, rows.origin.y);
    for (int slot = 0; slot < kSlots; ++slot) draw_row(canvas, rows, slot);
}

void CTimerSlotScreen::draw_row(skins::CPicture& canvas, const TimerRowsLayout& rows, int slot) {
    const core::CTimer* timer = slot_timer(slot);
    if (!timer) return;
    const skins::Rect row = rows.row(slot);
    const skins::Point at { row.left, row.top };
    const bool running = timer->state == core::CTimer::kRunning;
    const std::u16string time = timer_clock_text(timer->shown_ms());
    const skins::Rect digit_box = offset(rows.digits, at);
    draw_timer_text(canvas, *digits(), time, digit_box);
    m_drawn[static_cast<size_t>(slot)] = time;
    if (const skins::CImageStrip* buttons = controls()) {
        draw_centred_part(canvas, *buttons, kEditPart, offset(rows.edit, at));
        draw_centred_part(canvas, *buttons, running ? kPausePart : kStartPart, offset(rows.start, at));
        draw_centred_part(canvas, *buttons, m_count_up && running ? kLapPart : kResetPart, offset(rows.reset, at));
    }
    const std::u16string caption = row_caption(*timer);
    if (caption.empty()) return;
    // In the band between the row's top and its digits, at least a few pixels high.
    skins::TextStyle style;
    style.font.height = std::max<int32_t>(digit_box.top - row.top, row.height() / 5);
    // Black or white, whichever stands out on the row there.
    const skins::Point under { digit_box.left + 2, (row.top + digit_box.top) / 2 };
    const bool dark = canvas.contains(under.x, under.y) && canvas.colour(under.x, under.y).green < 128;
    style.colour = dark ? skins::Rgb { 255, 255, 255 } : skins::Rgb { 0, 0, 0 };
    style.format = platform::gui::text_format::kLeft | platform::gui::text_format::kTop;
    skins::draw_text_cut_to_width(canvas, caption, { digit_box.left, row.top, digit_box.right, row.top + style.font.height + 2 },
                                  style, true);
}

}  // namespace zt::app
