#include "platform/gui/input_player.h"

#include <QTimer>

#include "platform/windows/window.h"

namespace zt::platform::gui {

InputPlayer::InputPlayer(QObject* parent) : QObject(parent) {
    m_settle_timer = new QTimer(this);
    m_settle_timer->setSingleShot(true);
    m_settle_timer->setInterval(0);
    connect(m_settle_timer, &QTimer::timeout, this, [this] { check_settled(); });
}

InputPlayer::~InputPlayer() = default;

void InputPlayer::play(std::vector<Step> steps, Done done) {
    m_waiting.push_back(Piece { std::move(steps), std::move(done) });
    if (!m_playing) start_next();
}

void InputPlayer::start_next() {
    if (m_waiting.empty()) return;
    m_current = std::move(m_waiting.front());
    m_waiting.pop_front();
    m_playing = true;
    m_status = bridge::Status::Ok;
    const std::uint64_t generation = ++m_generation;
    // Never from inside play(): the caller answers its request first.
    const int delay = m_current.steps.empty() ? 0 : m_current.steps.front().delay_ms;
    QTimer::singleShot(delay, this, [this, generation] {
        if (generation == m_generation) run_step(0);
    });
}

void InputPlayer::run_step(std::size_t index) {
    if (index >= m_current.steps.size()) {
        settle([this] { finish(m_status); });
        return;
    }
    const std::uint64_t generation = m_generation;
    // Arranged before delivering: should the step open a modal loop, the rest runs in there.
    QTimer::singleShot(0, this, [this, generation, index] {
        if (generation == m_generation) after_step(index);
    });
    // A copy: when the rest of the piece runs inside a modal loop this step opened, the piece
    // (and this step with it) is gone by the time delivering returns.
    const std::function<bridge::Status()> deliver = m_current.steps[index].deliver;
    const bridge::Status status = deliver ? deliver() : bridge::Status::Ok;
    if (generation == m_generation && status != bridge::Status::Ok) m_status = status;
}

void InputPlayer::after_step(std::size_t index) {
    if (m_status != bridge::Status::Ok) {
        finish(m_status);
        return;
    }
    const std::uint64_t generation = m_generation;
    auto next = [this, generation, index] {
        if (generation != m_generation) return;
        const std::size_t following = index + 1;
        if (following >= m_current.steps.size()) {
            run_step(following);
            return;
        }
        QTimer::singleShot(m_current.steps[following].delay_ms, this, [this, generation, following] {
            if (generation == m_generation) run_step(following);
        });
    };
    if (m_current.steps[index].settle_after)
        settle(std::move(next));
    else
        next();
}

void InputPlayer::settle(std::function<void()> then) {
    m_settled = std::move(then);
    m_quiet_turns = 0;
    m_settle_deadline = std::chrono::steady_clock::now() + kSettleLimit;
    m_settle_timer->start();
}

void InputPlayer::check_settled() {
    const std::uint64_t generation = m_generation;
    // Posted behind everything the program has posted so far; the timer that brought us here
    // let the event loop read its descriptors first.
    QMetaObject::invokeMethod(this, [this, generation] {
        if (generation != m_generation || !m_settled) return;
        if (thread_has_queued_messages())
            m_quiet_turns = 0;
        else
            ++m_quiet_turns;
        if (m_quiet_turns >= 2 || std::chrono::steady_clock::now() >= m_settle_deadline) {
            std::function<void()> then = std::move(m_settled);
            m_settled = nullptr;
            then();
        } else {
            m_settle_timer->start();
        }
    }, Qt::QueuedConnection);
}

void InputPlayer::finish(bridge::Status status) {
    if (!m_playing) return;
    Done done = std::move(m_current.done);
    m_current = Piece {};
    m_playing = false;
    m_settled = nullptr;
    m_settle_timer->stop();
    ++m_generation;
    if (done) done(status);
    start_next();
}

}  // namespace zt::platform::gui
