#pragma once
// The screen-saver thread's logic: after a period without user activity it starts the main
// program's clock screen saver, and on the next activity it ends it again. The thread waits up
// to a second at a time for the activity event and hands each outcome here with the local time.
#include <optional>

#include "platform/base/system_time.h"
#include "service/service_device.h"
#include "service/service_state.h"

namespace zt::service {

using zt::platform::SYSTEMTIME;

class ScreenSaverIdle {
public:
    static constexpr int64_t kIdleCheckGapMs = 5'000;  // a longer gap: suspended or clock moved
    static constexpr std::chrono::milliseconds kWaitLimit { 1'000 };
    static constexpr std::chrono::milliseconds kPauseAfterActivity { 1'000 };

    enum class Wake { Activity, Stop, TimedOut, Other };
    enum class Next { Continue, Stop };

    ScreenSaverIdle(ServiceState& state, ServiceDevice& device, const SYSTEMTIME& now);

    // Copies the shared settings when they were re-read since the last copy.
    void refresh_settings();
    // One turn of the loop after the wait ended with `wake` at local time `now`.
    Next on_wake(Wake wake, const SYSTEMTIME& now);

    const ScreenSaverSettings& settings() const { return m_settings; }

private:
    void on_activity(const SYSTEMTIME& now);
    void on_idle_check(const SYSTEMTIME& now);
    bool idle_clock_restarts(const SYSTEMTIME& now);

    ServiceState& m_state;
    ServiceDevice& m_device;
    ScreenSaverSettings m_settings;
    SYSTEMTIME m_last_activity;
    std::optional<SYSTEMTIME> m_last_check;  // none before the first check
};

}  // namespace zt::service
