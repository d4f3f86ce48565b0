#include "app/model/entered_intervals.h"

namespace zt::app {

CEnteredIntervals& CEnteredIntervals::instance() {
    static CEnteredIntervals intervals;
    return intervals;
}

void CEnteredIntervals::remember(uint32_t seconds) {
    m_intervals.push_back(seconds);
    while (m_intervals.size() > kMost) m_intervals.pop_front();
}

}  // namespace zt::app
