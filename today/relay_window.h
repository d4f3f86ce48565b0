#pragma once
// The item's relay window: a hidden device window of the class other programs look for
// (contracts/today_item.h). It carries the refresh timers and takes the reload messages, and
// passes both on to its item.
#include <QObject>

#include <cstdint>
#include <functional>
#include <memory>

#include "platform/gui/window_timers.h"
#include "platform/windows/qt/qt_message_pump.h"

namespace zt::today {

inline constexpr uint32_t kMinuteTimer = 203;
inline constexpr uint32_t kImageTimer = 700;
inline constexpr uint32_t kRelayTimerPeriodMs = 2'000;

class CRelayWindow final : public QObject {
public:
    struct Handlers {
        std::function<void(uint32_t timer)> on_timer;
        std::function<void()> on_reload;  // 0x046A, 0x046B
    };
    explicit CRelayWindow(Handlers handlers);
    ~CRelayWindow() override;

    platform::gui::WindowTimers& timers() { return m_timers; }
    // False when the device window could not be made (the item still works, unreachable).
    bool published() const { return m_pump != nullptr; }

protected:
    bool event(QEvent* event) override;

private:
    Handlers m_handlers;
    platform::gui::WindowTimers m_timers;
    std::unique_ptr<platform::QtMessagePump> m_pump;
};

}  // namespace zt::today
