#include "core/timer.h"

#include <algorithm>
#include <cstdio>
#include <new>

#include "core/millisecond_clock.h"
#include "core/number_text.h"
#include "core/time_codec.h"
#include "core/time_math.h"
#include "platform/base/text.h"

namespace zt::core {
namespace {

struct Split {
    unsigned hours, minutes, seconds, milliseconds;
};

Split split(int64_t ms) {
    uint64_t value = ms < 0 ? 0 : static_cast<uint64_t>(ms);
    return { static_cast<unsigned>(std::min<uint64_t>(value / 3'600'000, 99)),
             static_cast<unsigned>(value / 60'000 % 60), static_cast<unsigned>(value / 1000 % 60),
             static_cast<unsigned>(value % 1000) };
}

std::u16string lap_key(size_t index) { return u"tlp" + format_unsigned(static_cast<uint32_t>(index)); }

int64_t magnitude(int64_t v) { return v < 0 ? (v == INT64_MIN ? INT64_MAX : -v) : v; }

}  // namespace

std::u16string format_timer_digits(int64_t ms) {
    Split s = split(ms);
    char text[32];
    std::snprintf(text, sizeof text, "%02u%02u%02u%03u", s.hours, s.minutes, s.seconds, s.milliseconds);
    return zt::platform::to_u16(text);
}

std::u16string format_lap_text(int64_t ms) {
    Split s = split(ms);
    char text[32];
    std::snprintf(text, sizeof text, "%02u:%02u:%02u.%03u", s.hours, s.minutes, s.seconds, s.milliseconds);
    return zt::platform::to_u16(text);
}

std::u16string format_interval(uint32_t seconds) {
    Split s = split(int64_t { seconds } * 1000);
    char text[32];
    std::snprintf(text, sizeof text, "%02u:%02u:%02u", s.hours, s.minutes, s.seconds);
    return zt::platform::to_u16(text);
}

std::u16string timer_display_name(const CTimer& timer, std::u16string_view timer_word) {
    if (!timer.name.empty()) return timer.name;
    return std::u16string(timer_word) + u" " + zt::platform::to_u16(std::to_string(timer.slot_index + 1u));
}

bool CTimer::to_value_map(CValueMap& map) const {
    if (!action() || !action()->save(map)) return false;
    map.put_number(u"actp", static_cast<uint32_t>(action()->type()));
    map.put_number(u"tint", interval);
    map.put_number(u"tind", slot_index);
    map.put_bool(u"tu", count_up);
    if (state != kStopped) {
        map.put_number(u"tat", encode_time_of_day(start_time));
        map.put_number(u"tad", encode_date(start_time));
    }
    if (state == kPaused) {
        // The pause pair is the other way round from the start pair: "tzd" is the time of day.
        map.put_number(u"tzd", encode_time_of_day(pause_time));
        map.put_number(u"tzt", encode_date(pause_time));
    }
    if (count_up) {
        map.put_number(u"tlpc", static_cast<uint32_t>(m_laps.size()));
        for (size_t i = 0; i < m_laps.size(); ++i) map.put_int64(lap_key(i), m_laps[i]);
    } else {
        map.put_text(u"tn", name);
    }
    map.put_number(u"gtib", kind);
    return true;
}

bool CTimer::from_value_map(const CValueMap& map) {
    auto stored_slot = map.number(u"tind");
    auto stored_count_up = map.boolean(u"tu");
    auto stored_interval = map.number(u"tint");
    if (!stored_slot || !stored_count_up || !stored_interval) return false;
    auto start_time_of_day = map.number(u"tat");
    auto start_date = map.number(u"tad");
    auto pause_time_of_day = map.number(u"tzd");
    auto pause_date = map.number(u"tzt");
    State stored_state = kStopped;
    if (start_time_of_day && start_date) stored_state = (pause_time_of_day && pause_date) ? kPaused : kRunning;
    std::unique_ptr<CAction> loaded = load_action(map);
    if (!loaded) return false;

    std::vector<int64_t> stored_laps;
    if (*stored_count_up) {
        // Entries are gathered from the keys present rather than by counting up to "tlpc":
        // a damaged count of four billion must not mean four billion look-ups.
        uint32_t count = map.number(u"tlpc").value_or(0);
        std::vector<std::pair<uint32_t, int64_t>> entries;
        map.for_each([&](const std::u16string& key, const std::u16string& value) {
            if (key.size() < 4 || key.compare(0, 3, u"tlp") != 0) return;
            auto index = scan_unsigned(std::u16string_view(key).substr(3));
            if (!index || *index >= count || lap_key(*index) != key) return;
            if (auto entry = scan_int64(value)) entries.emplace_back(*index, *entry);
        });
        std::sort(entries.begin(), entries.end());
        for (const auto& entry : entries) stored_laps.push_back(entry.second);
    }

    // Everything is assigned only now, so a record that fails to load changes nothing.
    slot_index = *stored_slot;
    count_up = *stored_count_up;
    interval = *stored_interval;
    state = stored_state;
    if (action()) loaded->copy_to(*action());
    kind = map.number(u"gtib").value_or(0);
    start_time = decode_date_time(start_date.value_or(0), start_time_of_day.value_or(0));
    pause_time = decode_date_time(pause_date.value_or(0), pause_time_of_day.value_or(0));
    m_laps = std::move(stored_laps);
    if (!count_up) {
        const std::u16string* stored_name = map.text(u"tn");
        name = stored_name ? *stored_name : std::u16string();
    }
    return true;
}

bool CTimer::save() { return id() > 0 && save_stored(); }

bool CTimer::load() { return load_stored(); }

bool CTimer::next_occurrence(const SYSTEMTIME&, SYSTEMTIME& occurrence) const {
    if (state != kRunning || count_up) return false;
    occurrence = add_milliseconds(start_time, int64_t { interval } * 1000);
    return true;
}

void CTimer::start(const SYSTEMTIME& now) {
    if (state == kRunning) return;
    if (state == kStopped) {
        start_time = pause_time = now;
    } else {
        start_time = add_milliseconds(start_time, difference_ms(now, pause_time));
    }
    state = kRunning;
    sample(now);
}

void CTimer::pause() {
    if (state != kRunning) return;
    state = kPaused;
    pause_time = last_sample;
    if (count_up) {
        try {
            m_laps.push_back(difference_ms(start_time, pause_time));
        } catch (const std::bad_alloc&) {
            // The pause itself stands; only its lap mark is lost.
        }
    }
}

void CTimer::toggle(const SYSTEMTIME& now) {
    if (state == kRunning) {
        // A pause takes its time from the last sample; a timer loaded as running and never
        // shown yet has none, and would pause at the year 0.
        sample(now);
        pause();
    } else {
        start(now);
    }
}

bool CTimer::lap(const SYSTEMTIME& now) {
    try {
        m_laps.push_back(difference_ms(now, start_time));
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

void CTimer::reset(const SYSTEMTIME& now) {
    m_laps.clear();
    state = kStopped;
    start_time = pause_time = now;
    sample(now);
}

void CTimer::start() { start(timer_now()); }
void CTimer::toggle() { toggle(timer_now()); }
bool CTimer::lap() { return lap(timer_now()); }
void CTimer::reset() { reset(timer_now()); }

bool CTimer::sample(const SYSTEMTIME& now) {
    last_sample = now;
    int64_t elapsed = state != kStopped ? difference_ms(now, start_time) : 0;
    // While paused the shown value freezes at the pause: "now" for a paused timer is the
    // pause time, otherwise the display would keep running.
    if (state == kPaused) elapsed = difference_ms(pause_time, start_time);
    int64_t shown = count_up ? elapsed : int64_t { interval } * 1000 - elapsed;
    // Neither display shows a negative value: a set-back clock must not show a stopwatch
    // below zero nor a count-down above nothing.
    m_shown_ms = std::max<int64_t>(shown, 0);
    return m_shown_ms > 0;
}

std::u16string CTimer::shown_digits() const { return format_timer_digits(m_shown_ms); }

std::optional<CTimer::LapReading> CTimer::lap_reading(size_t index) const {
    if (index >= m_laps.size()) return std::nullopt;
    LapReading reading;
    reading.time_ms = magnitude(m_laps[index]);
    reading.pause = m_laps[index] < 0;
    reading.split_ms = index == 0 ? reading.time_ms : reading.time_ms - magnitude(m_laps[index - 1]);
    return reading;
}

}  // namespace zt::core
