#pragma once
// Keeps the device awake while timers run: the timer screens call tick() on every refresh,
// and while one of their timers runs and "NoSleepOnTimers" is set the device is kept awake (the
// backlight too with "KeepBacklight") at most once every 10 seconds, so a 25 ms refresh does
// not hammer the power manager.
#include <cstdint>
#include <functional>
#include <optional>

namespace zt::core {
class CSettingsBag;
}

namespace zt::app {

inline constexpr char16_t kNoSleepOnTimersValue[] = u"NoSleepOnTimers";
inline constexpr char16_t kKeepBacklightValue[] = u"KeepBacklight";

class CTimerKeepAwake {
public:
    static constexpr uint64_t kPeriodMs = 10'000;
    // keep_awake(backlight): the device's keep-awake operation.
    using KeepAwake = std::function<void(bool backlight)>;

    CTimerKeepAwake(const core::CSettingsBag& settings, KeepAwake keep_awake)
        : m_settings(&settings), m_keep_awake(std::move(keep_awake)) {}

    // The tick count comes from the device clock (tests move a manual one).
    void tick(bool timers_running);

private:
    const core::CSettingsBag* m_settings;
    KeepAwake m_keep_awake;
    std::optional<uint64_t> m_last;  // tick count of the last keep-awake
};

}  // namespace zt::app
