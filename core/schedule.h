#pragma once
// Which record of a store is due first. Records due before "now" never count: a snooze
// that has passed, a one-time alarm in the past or a count-down that has run out is left
// to the ringing program, not scheduled.
#include "core/time_item.h"

namespace zt::core {

class CTimeStore;

struct DueItem {
    CTimeItem* item { nullptr };  // none when nothing is due at or after now
    SYSTEMTIME occurrence {};
};

// On equal due times the record met first in the store's iteration wins.
DueItem earliest_due_item(const CTimeStore& store, const SYSTEMTIME& now);

}  // namespace zt::core
