#include "platform/gui/window_timers.h"

#include <QTimer>

#include <algorithm>

namespace zt::platform::gui {

WindowTimers::WindowTimers(Callback on_timer) : m_on_timer(std::move(on_timer)) {}

WindowTimers::~WindowTimers() = default;

void WindowTimers::set(std::uint32_t id, std::uint32_t period_ms) {
    auto& timer = m_timers[id];
    if (!timer) {
        timer = std::make_unique<QTimer>();
        timer->setTimerType(Qt::PreciseTimer);
        QObject::connect(timer.get(), &QTimer::timeout, [this, id, raw = timer.get()] {
            // A timeout already queued when kill() ran must not call back.
            if (raw->isActive() && m_on_timer) m_on_timer(id);
        });
    }
    const auto period = std::clamp<std::uint32_t>(period_ms, kMinimumPeriodMs, 0x7FFFFFFF);
    timer->start(static_cast<int>(period));
}

bool WindowTimers::kill(std::uint32_t id) {
    // The QTimer stays (stopped): kill may run inside that timer's own callback.
    auto found = m_timers.find(id);
    if (found == m_timers.end() || !found->second->isActive()) return false;
    found->second->stop();
    return true;
}

void WindowTimers::kill_all() {
    for (auto& [id, timer] : m_timers) timer->stop();
}

bool WindowTimers::is_set(std::uint32_t id) const {
    auto found = m_timers.find(id);
    return found != m_timers.end() && found->second->isActive();
}

std::optional<std::uint32_t> WindowTimers::period_ms(std::uint32_t id) const {
    if (!is_set(id)) return std::nullopt;
    return static_cast<std::uint32_t>(m_timers.at(id)->interval());
}

}  // namespace zt::platform::gui
