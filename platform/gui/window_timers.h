#pragma once
// Window timers with identifiers, as a handheld window keeps them: set(id, period) starts a
// periodic timer, or restarts it with the new period when that id is already set; kill(id)
// stops it. The callback gets the id.
//
// Guarantees and rules:
//  - Timers run in the thread that made the WindowTimers, from its event loop; use it only
//    from that thread.
//  - The callback may set or kill any timer, its own included, while it runs.
//  - A killed timer never calls back again, not even for an expiry already due when kill ran.
//  - Periods below kMinimumPeriodMs run at kMinimumPeriodMs, as the handheld's do.
//  - Deleting the WindowTimers stops all of them.
#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>

class QTimer;

namespace zt::platform::gui {

class WindowTimers {
public:
    using Callback = std::function<void(std::uint32_t id)>;
    static constexpr std::uint32_t kMinimumPeriodMs = 10;

    explicit WindowTimers(Callback on_timer);
    ~WindowTimers();
    WindowTimers(const WindowTimers&) = delete;
    WindowTimers& operator=(const WindowTimers&) = delete;

    void set(std::uint32_t id, std::uint32_t period_ms);
    // True when the timer was set.
    bool kill(std::uint32_t id);
    void kill_all();
    bool is_set(std::uint32_t id) const;
    // The period in effect for a set timer.
    std::optional<std::uint32_t> period_ms(std::uint32_t id) const;

private:
    Callback m_on_timer;
    std::map<std::uint32_t, std::unique_ptr<QTimer>> m_timers;
};

}  // namespace zt::platform::gui
