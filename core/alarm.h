#pragma once
// CAlarm: a repeating (week days) or one-time alarm, possibly snoozed.
#include <cstdint>

#include "core/time_item.h"

namespace zt::core {

class CAlarm final : public CTimeItem {
public:
    // Bit (d + 6) % 7 for SYSTEMTIME day of week d: bit 0 Monday ... bit 6 Sunday.
    static constexpr uint32_t kDayMask = 0x7F;
    static constexpr uint32_t kDisabled = 0x80;
    static constexpr uint32_t kOneTime = 0x100;
    enum Kind : uint32_t { kKindWait = 0, kKindAutoSnooze = 1, kKindAutoDismiss = 2 };

    explicit CAlarm(int32_t id);

    void copy_to(CTimeItem& target) const override;
    bool load() override;
    bool save() override;
    // Disabled: none. Snoozed: the snooze-until time. One-time: the alarm time with its date.
    // Repeating: the first selected day from the reference's own day on (today only when the
    // alarm's time of day is not earlier than the reference's) at the alarm's time of day.
    bool next_occurrence(const SYSTEMTIME& reference, SYSTEMTIME& occurrence) const override;

    static uint32_t day_bit(uint16_t day_of_week) { return 1u << ((day_of_week + 6u) % 7u); }
    bool enabled() const { return !(flags & kDisabled); }
    bool one_time() const { return flags & kOneTime; }

    // Snoozed until now + minutes, second set to 0. `now` is the current local time.
    void snooze(uint32_t minutes, const SYSTEMTIME& now);
    void snooze(uint32_t minutes);
    void clear_snooze() { snoozed = false; }
    void set_enabled(bool enable);
    // One-time alarms: the date becomes today's, or tomorrow's when that moment is not later
    // than now.
    void fix_one_time_date(const SYSTEMTIME& now);
    void fix_one_time_date();

    SYSTEMTIME alarm_time {};
    SYSTEMTIME snooze_until {};
    uint32_t snooze_minutes { 5 };
    bool snoozed { false };
    uint32_t flags { 127 };

    bool to_value_map(CValueMap& map) const override;
    bool from_value_map(const CValueMap& map) override;
};

}  // namespace zt::core
