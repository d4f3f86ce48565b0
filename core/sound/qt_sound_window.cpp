#include "core/sound/qt_sound_window.h"

#include <QThread>

namespace zt::sound {

QtSoundWindow::QtSoundWindow(MessageHandler on_message, QObject* parent)
    : QObject(parent), m_on_message(std::move(on_message)) {}

bool QtSoundWindow::on_own_thread() const { return QThread::currentThread() == thread(); }

void QtSoundWindow::post(uint32_t message, uint64_t playback) {
    QMetaObject::invokeMethod(this, [this, message, playback] {
        if (m_on_message) m_on_message(message, playback);
    }, Qt::QueuedConnection);
}

void QtSoundWindow::set_timer(uint32_t id, uint32_t period_ms, std::function<void()> callback) {
    if (!on_own_thread()) {
        QMetaObject::invokeMethod(this, [this, id, period_ms, callback = std::move(callback)]() mutable {
            set_timer(id, period_ms, std::move(callback));
        }, Qt::QueuedConnection);
        return;
    }
    {
        std::lock_guard lock(m_timers_mutex);
        SoundTimer& entry = m_timers[id];
        entry.callback = std::move(callback);
        entry.generation = m_next_generation++;
        entry.active = true;
    }
    m_window_timers.set(id, period_ms);
}

void QtSoundWindow::on_timer(uint32_t id) {
    std::function<void()> callback;
    {
        std::lock_guard lock(m_timers_mutex);
        auto found = m_timers.find(id);
        if (found == m_timers.end()) return;
        callback = found->second.callback;
    }
    // Called outside the lock: the callback may set or kill timers itself.
    if (callback) callback();
}

void QtSoundWindow::kill_timer(uint32_t id) {
    if (on_own_thread()) {
        kill_timer_now(id, std::nullopt);
        return;
    }
    uint64_t generation = 0;
    {
        std::lock_guard lock(m_timers_mutex);
        auto found = m_timers.find(id);
        if (found == m_timers.end() || !found->second.active) return;
        generation = found->second.generation;
    }
    QMetaObject::invokeMethod(this, [this, id, generation] { kill_timer_now(id, generation); }, Qt::QueuedConnection);
}

void QtSoundWindow::kill_timer_now(uint32_t id, std::optional<uint64_t> generation) {
    {
        std::lock_guard lock(m_timers_mutex);
        auto found = m_timers.find(id);
        if (found == m_timers.end()) return;
        if (generation && *generation != found->second.generation) return;
        found->second.active = false;
    }
    m_window_timers.kill(id);
}

}  // namespace zt::sound
