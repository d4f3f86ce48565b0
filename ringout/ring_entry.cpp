#include "ringout/ring_entry.h"

#include "core/alarm.h"
#include "core/timer.h"

namespace zt::ringout {

using zt::core::CAlarm;
using zt::core::CTimer;
using zt::core::ItemType;

RingEntry make_ring_entry(const zt::core::CTimeItem& item, const Translate& translate) {
    RingEntry entry;
    entry.item_id = item.id();
    entry.item_type = item.item_type();
    auto word = [&](std::u16string_view english) { return translate ? translate(english) : std::u16string(english); };
    if (item.item_type() == ItemType::Alarm) {
        entry.title = item.name.empty() ? word(u"Alarm") : item.name;
        entry.time = static_cast<const CAlarm&>(item).alarm_time;
        return entry;
    }
    const auto& timer = static_cast<const CTimer&>(item);
    entry.title = zt::core::timer_display_name(timer, word(u"Timer"));
    const uint32_t seconds = timer.interval;
    entry.time.wHour = static_cast<uint16_t>(seconds / 3600);
    entry.time.wMinute = static_cast<uint16_t>((seconds / 60) % 60);
    entry.time.wSecond = static_cast<uint16_t>(seconds % 60);
    return entry;
}

}  // namespace zt::ringout
