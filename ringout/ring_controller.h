#pragma once
// CRingController: the ringing logic of the ringing program. It finds due records (every
// 500 ms, DueCheck), queues them, rings one at a time, answers them (Snooze, Dismiss,
// Restart) and decides when the program may end: nothing current, nothing queued and nothing
// due within 39 999 ms.
//
// It owns no window. The program adapts its windows, the sound manager and the message posting
// to the two seams below; tests drive it with fakes and an injected device clock.
#include <cstdint>
#include <deque>

#include "contracts/item_command.h"
#include "core/schedule.h"
#include "core/time_store.h"
#include "ringout/ring_entry.h"
#include "core/sound/sound_manager.h"

namespace zt::ringout {

// The sound manager as the controller uses it. Every playback that starts ends once, played
// out or stopped, and its end message arrives later through the program's message loop
// carrying the playback's number (OnSoundEnded).
class RingSound {
public:
    virtual ~RingSound() = default;
    // The number of the playback this request started (never 0); 0 when it started none.
    virtual uint64_t play(const sound::SoundRequest& request) = 0;
    virtual void stop() = 0;
    virtual bool is_playing() const = 0;
};

class RingHost {
public:
    virtual ~RingHost() = default;
    // To the main program's window and then the Today item's, each one that exists.
    virtual void post_item_command(int32_t item_id, contracts::ItemCommand command, uint32_t argument) = 0;
    virtual void remember_foreground() = 0;
    virtual void restore_foreground() = 0;
    // Creates the ringing window on first use, lays it out for the entry, brings it to the front.
    virtual void show_ringing(const RingEntry& entry) = 0;
    virtual void hide_ringing() = 0;
    virtual void destroy_ringing() = 0;
    // The next due item for the device's notifications (none clears them).
    virtual void register_next_due(const zt::core::DueItem& due) = 0;
    virtual void quit() = 0;
};

class CRingController {
public:
    static constexpr uint32_t kDueCheckTimer = 1001;
    static constexpr uint32_t kDueCheckPeriodMs = 500;
    static constexpr int64_t kLookAheadMs = 1000;
    static constexpr int64_t kStayResidentMs = 39'999;

    // The last-check time starts at the current local time.
    CRingController(zt::core::CTimeStore& store, RingSound& sound, RingHost& host, Translate translate = {});

    void DueCheck();
    void Advance(bool force);

    // The answers; each acts on the current item and does nothing without one.
    void Snooze(uint32_t minutes);  // 0: the alarm's own snooze minutes
    void Dismiss();
    void Restart();
    // The sound manager's end-of-sound message for the playback of that number. Only the end
    // of the current item's own playback counts: the end of a sound an answer stopped arrives
    // after the next item has begun to ring, and must not answer that one.
    void OnSoundEnded(uint64_t playback);

    const RingEntry& current() const { return m_current; }
    size_t queued() const { return m_queue.size(); }
    bool quit_posted() const { return m_quit_posted; }
    const zt::core::SYSTEMTIME& last_check() const { return m_last_check; }

    CRingController(const CRingController&) = delete;
    CRingController& operator=(const CRingController&) = delete;

private:
    void end_ringing();
    // The answers without the closing stop-and-advance, so the end of a sound can reuse them.
    void snooze_current(zt::core::CAlarm& alarm, uint32_t minutes);
    void dismiss_current(zt::core::CTimeItem& item);
    void restart_current(zt::core::CTimer& timer);
    void after_answer();

    zt::core::CTimeStore& m_store;
    RingSound& m_sound;
    RingHost& m_host;
    Translate m_translate;
    zt::core::SYSTEMTIME m_last_check {};
    std::deque<RingEntry> m_queue;  // new entries at the front, taken from the back
    RingEntry m_current;
    uint64_t m_playback { 0 };  // the current item's playback; 0 when it has none
    bool m_checking { false };
    bool m_quit_posted { false };
};

inline constexpr uint32_t kSnoozeMenuFirst = 0xE000;
inline constexpr uint32_t kSnoozeMenuMinutes[] = { 3, 5, 10, 20, 30, 60 };

// A WM_COMMAND identifier of the ringing window turned into its answer; unknown ones do nothing.
void answer_command(CRingController& controller, uint32_t command);

}  // namespace zt::ringout
