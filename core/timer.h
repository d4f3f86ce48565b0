#pragma once
// CTimer: a count-down timer or a stopwatch (count-up) with laps. State 0 stopped, 1 running,
// 2 paused. While running, the elapsed time is now - start time; a pause moves the start time
// forward by the paused span on resume.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/time_item.h"

namespace zt::core {

class CTimer final : public CTimeItem {
public:
    enum State : int32_t { kStopped = 0, kRunning = 1, kPaused = 2 };
    enum Kind : uint32_t { kKindNormal = 0, kKindAutoRestart = 1 };
    static constexpr int kSlotsPerScreen = 5;
    static constexpr std::array<uint32_t, kSlotsPerScreen> kDefaultIntervals { 30, 60, 300, 600, 1800 };

    explicit CTimer(int32_t id) : CTimeItem(ItemType::Timer, id) {}

    // Only the shared settings (action, name, kind).
    void copy_to(CTimeItem& target) const override { CTimeItem::copy_to(target); }
    bool load() override;
    bool save() override;  // refused (false) for id 0 or less
    // Only a running count-down timer has one: start time + interval.
    bool next_occurrence(const SYSTEMTIME& reference, SYSTEMTIME& occurrence) const override;

    void start(const SYSTEMTIME& now);  // start or resume; nothing while running
    void pause();                       // the pause time is the last sample
    void toggle(const SYSTEMTIME& now);  // pauses at `now` when running, else starts
    bool lap(const SYSTEMTIME& now);    // false (laps unchanged) when the array cannot grow
    void reset(const SYSTEMTIME& now);
    // The operations above with "now" from the millisecond clock.
    void start();
    void toggle();
    bool lap();
    void reset();

    // Takes a sample: remembers `now`, works out the shown value. True while it is above 0;
    // a count-down timer whose sample turns false has run out.
    bool sample(const SYSTEMTIME& now);
    int64_t shown_ms() const { return m_shown_ms; }
    std::u16string shown_digits() const;  // "HHMMSSmmm" for the digit display

    struct LapReading {
        int64_t time_ms { 0 };   // elapsed at the lap
        bool pause { false };    // recorded by a pause
        int64_t split_ms { 0 };  // since the previous entry
    };
    std::optional<LapReading> lap_reading(size_t index) const;
    const std::vector<int64_t>& laps() const { return m_laps; }

    uint32_t interval { 0 };
    uint32_t slot_index { 0 };
    bool count_up { true };
    State state { kStopped };
    SYSTEMTIME start_time {};
    SYSTEMTIME pause_time {};
    SYSTEMTIME last_sample {};

    bool to_value_map(CValueMap& map) const override;
    bool from_value_map(const CValueMap& map) override;

private:
    std::vector<int64_t> m_laps;
    int64_t m_shown_ms { 0 };
};

// Splits milliseconds for display: hours (at most 99), minutes, seconds, milliseconds.
std::u16string format_timer_digits(int64_t ms);  // "%02u%02u%02u%03u"
std::u16string format_lap_text(int64_t ms);      // "%02u:%02u:%02u.%03u"
// A count-down length as its menus and lists show it, "%02u:%02u:%02u" (hours at most 99).
std::u16string format_interval(uint32_t seconds);
// The timer's name, or for an unnamed one the (translated) word "Timer" and its slot number.
std::u16string timer_display_name(const CTimer& timer, std::u16string_view timer_word);

}  // namespace zt::core
