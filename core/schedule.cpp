#include "core/schedule.h"

#include "core/time_math.h"
#include "core/time_store.h"

namespace zt::core {

DueItem earliest_due_item(const CTimeStore& store, const SYSTEMTIME& now) {
    DueItem best;
    int64_t best_difference = 0;
    store.for_each([&](CTimeItem& item) {
        SYSTEMTIME occurrence {};
        if (!item.next_occurrence(now, occurrence)) return;
        int64_t difference = difference_ms(occurrence, now);
        if (difference < 0) return;
        if (!best.item || difference < best_difference) {
            best.item = &item;
            best.occurrence = occurrence;
            best_difference = difference;
        }
    });
    return best;
}

}  // namespace zt::core
