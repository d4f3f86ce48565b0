#include "app/frame/countdown_screen.h"

#include "app/model/entered_intervals.h"
#include "core/time_store.h"
#include "platform/gui/popup_menu.h"
#include "texts/text_table.h"

namespace zt::app {
namespace {

QString to_qstring(std::u16string_view text) { return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size())); }

}  // namespace

void CCountdownScreen::lap_reset_all() {
    for (int slot = 0; slot < kSlots; ++slot)
        if (core::CTimer* timer = slot_timer(slot)) timer->reset();
}

bool CCountdownScreen::edit_slot(core::CTimer& timer) {
    // The editor resets, saves and reschedules a confirmed timer itself.
    return sources().edit_timer && sources().edit_timer(this, timer);
}

std::u16string CCountdownScreen::row_caption(const core::CTimer& timer) const {
    return core::timer_display_name(timer, CTextTable::instance().translate(u"Timer"));
}

std::unique_ptr<QMenu> CCountdownScreen::make_interval_menu(core::CTimer& timer) {
    auto menu = std::make_unique<QMenu>(this);
    const int32_t id = timer.id();
    // The record is looked up again when chosen: the store may have been reloaded meanwhile.
    const auto choose = [this, id](uint32_t seconds) {
        if (core::CTimer* chosen = sources().store.find_timer(id)) set_interval(*chosen, seconds);
    };
    for (uint32_t seconds : core::CTimer::kDefaultIntervals)
        menu->addAction(to_qstring(core::format_interval(seconds)), [choose, seconds] { choose(seconds); });
    for (uint32_t seconds : CEnteredIntervals::instance().intervals())
        menu->addAction(to_qstring(core::format_interval(seconds)), [choose, seconds] { choose(seconds); });
    menu->addAction(to_qstring(CTextTable::instance().translate(kCustomInterval)), [this, id] {
        if (core::CTimer* chosen = sources().store.find_timer(id)) custom_interval(*chosen);
    });
    return menu;
}

void CCountdownScreen::set_interval(core::CTimer& timer, uint32_t seconds) {
    timer.interval = seconds;
    timer.reset();
    slots_changed();
}

void CCountdownScreen::custom_interval(core::CTimer& timer) {
    if (!sources().edit_timer || !sources().edit_timer(this, timer)) return;
    CEnteredIntervals::instance().remember(timer.interval);
    slots_changed();
}

void CCountdownScreen::tap_digits(core::CTimer& timer) {
    std::unique_ptr<QMenu> menu = make_interval_menu(timer);
    // Below the digits that were tapped.
    const TimerRowsLayout rows = rows_layout();
    const skins::Rect row = rows.row(static_cast<int>(timer.slot_index));
    const QPoint under(row.left + rows.digits.left, row.top + rows.digits.bottom);
    platform::gui::exec_popup_menu(*menu, *this, mapToGlobal(under));
}

}  // namespace zt::app
