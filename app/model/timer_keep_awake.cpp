#include "app/model/timer_keep_awake.h"

#include "core/settings_bag.h"
#include "platform/base/clock.h"

namespace zt::app {

void CTimerKeepAwake::tick(bool timers_running) {
    if (!timers_running || !m_keep_awake || m_settings->number(kNoSleepOnTimersValue) == 0) return;
    const uint64_t now = platform::tick_count64();
    if (m_last && now - *m_last < kPeriodMs) return;
    m_last = now;
    m_keep_awake(m_settings->number(kKeepBacklightValue) != 0);
}

}  // namespace zt::app
