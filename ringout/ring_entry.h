#pragma once
// One item waiting to ring, or ringing: what the ringing window shows and the controller
// needs to answer it.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "core/time_item.h"

namespace zt::ringout {

struct RingEntry {
    int32_t item_id { 0 };  // 0: no item
    zt::core::ItemType item_type { zt::core::ItemType::Alarm };
    std::u16string title;
    // Alarm: its alarm time. Timer: its duration in the hour, minute and second fields.
    zt::core::SYSTEMTIME time {};
    bool sound_finished { false };
};

// Passes an English interface text through the text table.
using Translate = std::function<std::u16string(std::u16string_view)>;

// The record's name when it has one; else the translated "Alarm", or "<translated Timer> <slot + 1>".
RingEntry make_ring_entry(const zt::core::CTimeItem& item, const Translate& translate);

}  // namespace zt::ringout
