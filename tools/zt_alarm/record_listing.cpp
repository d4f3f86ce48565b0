#include "tools/zt_alarm/record_listing.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "core/schedule.h"
#include "core/time_math.h"
#include "platform/base/text.h"

namespace zt::tools {
namespace {

using zt::core::CAlarm;
using zt::core::CTimeItem;
using zt::core::CTimer;
using zt::platform::SYSTEMTIME;

std::string clock_text(unsigned hour, unsigned minute, unsigned second) {
    char text[32];
    std::snprintf(text, sizeof text, "%02u:%02u:%02u", hour, minute, second);
    return text;
}

std::string state_words(const CTimeItem& item) {
    std::vector<const char*> words;
    if (item.item_type() == zt::core::ItemType::Alarm) {
        const auto& alarm = static_cast<const CAlarm&>(item);
        words.push_back(alarm.enabled() ? "enabled" : "disabled");
        if (alarm.one_time()) words.push_back("once");
        if (alarm.snoozed) words.push_back("snoozed");
    } else {
        const auto& timer = static_cast<const CTimer&>(item);
        words.push_back(timer.state == CTimer::kRunning ? "running" : timer.state == CTimer::kPaused ? "paused" : "stopped");
        words.push_back(timer.count_up ? "counter" : "countdown");
    }
    std::string joined;
    for (const char* word : words) {
        if (!joined.empty()) joined += ',';
        joined += word;
    }
    return joined;
}

std::string time_column(const CTimeItem& item) {
    if (item.item_type() == zt::core::ItemType::Alarm) {
        const SYSTEMTIME& time = static_cast<const CAlarm&>(item).alarm_time;
        return clock_text(time.wHour, time.wMinute, time.wSecond);
    }
    const uint32_t interval = static_cast<const CTimer&>(item).interval;
    return clock_text(interval / 3600, interval / 60 % 60, interval % 60);
}

// Occurrences before now are not "next": a one-time alarm in the past or a run-out count-down
// is the ringing program's business, as the schedule sees it too.
std::string next_column(const CTimeItem& item, const SYSTEMTIME& now) {
    SYSTEMTIME occurrence {};
    if (!item.next_occurrence(now, occurrence) || zt::core::difference_ms(occurrence, now) < 0) return "-";
    return format_date_time(occurrence);
}

}  // namespace

std::string format_date_time(const SYSTEMTIME& time) {
    char text[48];
    std::snprintf(text, sizeof text, "%04u-%02u-%02u %02u:%02u:%02u", time.wYear, time.wMonth, time.wDay, time.wHour,
                  time.wMinute, time.wSecond);
    return text;
}

std::string list_records(const zt::core::CTimeStore& store, const SYSTEMTIME& now) {
    std::vector<const CTimeItem*> items;
    store.for_each([&](const CTimeItem& item) { items.push_back(&item); });
    std::sort(items.begin(), items.end(), [](const CTimeItem* a, const CTimeItem* b) { return a->id() < b->id(); });
    std::string out;
    for (const CTimeItem* item : items) {
        std::string name = zt::platform::utf16_to_utf8(item->name);
        std::replace_if(name.begin(), name.end(), [](char c) { return c == '\t' || c == '\n' || c == '\r'; }, ' ');
        out += std::to_string(item->id()) + '\t' + (item->item_type() == zt::core::ItemType::Alarm ? "alarm" : "timer") + '\t' +
               name + '\t' + time_column(*item) + '\t' + state_words(*item) + '\t' + next_column(*item, now) + '\n';
    }
    return out;
}

std::string next_due_line(const zt::core::CTimeStore& store, const SYSTEMTIME& now) {
    const zt::core::DueItem due = zt::core::earliest_due_item(store, now);
    if (!due.item) return "none\n";
    return std::to_string(due.item->id()) + '\t' + format_date_time(due.occurrence) + '\n';
}

}  // namespace zt::tools
