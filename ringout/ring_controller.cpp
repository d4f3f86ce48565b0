#include "ringout/ring_controller.h"

#include <iterator>
#include <vector>

#include "contracts/item_command.h"
#include "core/alarm.h"
#include "core/time_math.h"
#include "core/timer.h"
#include "platform/base/clock.h"
#include "ringout/button_group.h"

namespace zt::ringout {

using zt::core::CAlarm;
using zt::core::CTimeItem;
using zt::core::CTimer;
using zt::core::ItemType;
using zt::core::SYSTEMTIME;
using zt::core::difference_ms;

CRingController::CRingController(zt::core::CTimeStore& store, RingSound& sound, RingHost& host, Translate translate)
    : m_store(store), m_sound(sound), m_host(host), m_translate(std::move(translate)),
      m_last_check(zt::platform::local_time()) {}

void CRingController::DueCheck() {
    if (m_checking || m_quit_posted) return;
    m_checking = true;
    m_store.reload_all();
    const SYSTEMTIME now = zt::platform::local_time();
    const SYSTEMTIME horizon = zt::core::add_milliseconds(now, kLookAheadMs);

    std::vector<RingEntry> collected;
    SYSTEMTIME latest = m_last_check;
    m_store.for_each([&](const CTimeItem& item) {
        SYSTEMTIME occurrence {};
        if (!item.next_occurrence(m_last_check, occurrence)) return;
        if (difference_ms(occurrence, m_last_check) < 0 || difference_ms(occurrence, horizon) >= 0) return;
        collected.push_back(make_ring_entry(item, m_translate));
        if (difference_ms(occurrence, latest) > 0) latest = occurrence;
    });
    for (auto& entry : collected) {
        m_queue.push_front(std::move(entry));
        Advance(false);
    }
    if (!collected.empty()) m_last_check = zt::core::add_milliseconds(latest, 1);

    if (m_queue.empty() && m_current.item_id == 0) {
        const zt::core::DueItem next = zt::core::earliest_due_item(m_store, now);
        if (!next.item || difference_ms(next.occurrence, now) > kStayResidentMs) {
            m_host.register_next_due(next);
            m_host.destroy_ringing();
            m_quit_posted = true;
            m_host.quit();
        }
    }
    m_checking = false;
}

void CRingController::Advance(bool force) {
    // Without force nothing is taken up while an item is current, silent ones included: an
    // unanswered kind-0 item stays on screen until the user answers it.
    if (!force && (m_current.item_id != 0 || m_sound.is_playing())) return;
    // An entry whose record vanished (or lost its sound action) while it waited is dropped, so
    // nothing invisible stays current and keeps the program alive.
    while (!m_queue.empty()) {
        m_current = std::move(m_queue.back());
        m_queue.pop_back();
        m_current.sound_finished = false;
        CTimeItem* item = m_store.find(m_current.item_id);
        if (!item || !item->sound_action()) {
            m_current = RingEntry {};
            continue;
        }
        m_host.remember_foreground();
        m_host.show_ringing(m_current);
        m_playback = m_sound.play(sound::SoundRequest::from(*item->sound_action()));
        return;
    }
}

void CRingController::end_ringing() {
    m_current = RingEntry {};
    m_playback = 0;
    m_host.hide_ringing();
    m_host.restore_foreground();
}

void CRingController::snooze_current(CAlarm& alarm, uint32_t minutes) {
    const int32_t id = alarm.id();
    end_ringing();
    if (minutes == 0) minutes = alarm.snooze_minutes;
    alarm.snooze(minutes, zt::platform::local_time());
    alarm.save();
    m_host.post_item_command(id, contracts::ItemCommand::Snooze, minutes);
}

void CRingController::dismiss_current(CTimeItem& item) {
    const int32_t id = item.id();
    end_ringing();
    if (item.item_type() == ItemType::Timer) {
        auto& timer = static_cast<CTimer&>(item);
        timer.reset(zt::platform::local_time());
        timer.save();
        m_host.post_item_command(id, contracts::ItemCommand::ResetTimer, 0);
        return;
    }
    auto& alarm = static_cast<CAlarm&>(item);
    alarm.clear_snooze();
    alarm.save();
    m_host.post_item_command(id, contracts::ItemCommand::Dismiss, 0);
    if (alarm.one_time()) {
        m_store.remove(id);
        m_host.post_item_command(id, contracts::ItemCommand::Delete, 0);
    }
}

void CRingController::restart_current(CTimer& timer) {
    const int32_t id = timer.id();
    end_ringing();
    const SYSTEMTIME now = zt::platform::local_time();
    timer.reset(now);
    timer.start(now);
    timer.save();
    m_host.post_item_command(id, contracts::ItemCommand::RestartTimer, 0);
}

void CRingController::after_answer() {
    m_sound.stop();
    Advance(true);
}

void CRingController::Snooze(uint32_t minutes) {
    if (m_current.item_id == 0) return;
    CTimeItem* item = m_store.find(m_current.item_id);
    if (item && item->item_type() != ItemType::Alarm) return;  // timers are not snoozed
    if (item) snooze_current(static_cast<CAlarm&>(*item), minutes);
    else end_ringing();
    after_answer();
}

void CRingController::Dismiss() {
    if (m_current.item_id == 0) return;
    if (CTimeItem* item = m_store.find(m_current.item_id)) dismiss_current(*item);
    else end_ringing();
    after_answer();
}

void CRingController::Restart() {
    if (m_current.item_id == 0) return;
    CTimeItem* item = m_store.find(m_current.item_id);
    if (item && item->item_type() != ItemType::Timer) return;  // alarms are not restarted
    if (item) restart_current(static_cast<CTimer&>(*item));
    else end_ringing();
    after_answer();
}

void CRingController::OnSoundEnded(uint64_t playback) {
    if (m_current.item_id == 0 || playback == 0 || playback != m_playback) return;
    m_current.sound_finished = true;
    CTimeItem* item = m_store.find(m_current.item_id);
    if (!item) {
        // Deleted by another program while it rang: nothing to answer, the next may ring.
        end_ringing();
        Advance(false);
        return;
    }
    const uint32_t kind = item->kind;
    if (item->item_type() == ItemType::Alarm) {
        if (kind == CAlarm::kKindAutoSnooze) snooze_current(static_cast<CAlarm&>(*item), 0);
        else if (kind == CAlarm::kKindAutoDismiss) dismiss_current(*item);
    } else if (kind == CTimer::kKindAutoRestart) {
        restart_current(static_cast<CTimer&>(*item));
    }
    if (kind != 0) Advance(false);
}

void answer_command(CRingController& controller, uint32_t command) {
    if (command == kCommandSnooze) controller.Snooze(0);
    else if (command == kCommandDismiss) controller.Dismiss();
    else if (command == kCommandRestart) controller.Restart();
    else if (command >= kSnoozeMenuFirst && command < kSnoozeMenuFirst + std::size(kSnoozeMenuMinutes))
        controller.Snooze(kSnoozeMenuMinutes[command - kSnoozeMenuFirst]);
}

}  // namespace zt::ringout
