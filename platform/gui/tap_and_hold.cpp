#include "platform/gui/tap_and_hold.h"

#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QMouseEvent>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <atomic>

namespace zt::platform::gui {
namespace {

std::atomic<std::uint64_t> g_gestures { 0 };

bool is_press(QEvent::Type type) { return type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick; }

}  // namespace

TapAndHold::TapAndHold(QWidget& widget) : QObject(&widget), m_widget(widget) {
    m_timer = new QTimer(this);
    m_timer->setSingleShot(true);
    m_timer->setInterval(kHoldMs);
    connect(m_timer, &QTimer::timeout, this, [this] { recognise(); });
    widget.installEventFilter(this);
}

TapAndHold::~TapAndHold() = default;

bool TapAndHold::eventFilter(QObject* watched, QEvent* event) {
    if (watched != &m_widget || m_replaying) return false;
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonDblClick && type != QEvent::MouseMove &&
        type != QEvent::MouseButtonRelease)
        return false;
    auto* mouse = static_cast<QMouseEvent*>(event);
    if (is_press(type)) {
        if (mouse->button() != Qt::LeftButton) return false;
        m_recognised = false;
        if (m_takes_press && m_takes_press(mouse->position().toPoint())) {
            m_held.reset();
            m_timer->stop();
            return false;
        }
        m_held.reset(mouse->clone());
        m_timer->start();
        return true;
    }
    if (m_recognised) {
        // The gesture took the pen: its moves and its lifting belong to no one. A move with no
        // button down means the lifting went elsewhere (to the menu).
        if (type == QEvent::MouseMove && mouse->buttons() == Qt::NoButton) {
            m_recognised = false;
            return false;
        }
        if (type == QEvent::MouseButtonRelease) m_recognised = false;
        return true;
    }
    if (!m_held) return false;
    if (type == QEvent::MouseMove) {
        const QPointF moved = mouse->globalPosition() - m_held->globalPosition();
        if (qMax(qAbs(moved.x()), qAbs(moved.y())) <= kSlopPixels) return true;
    }
    pass_press_on();
    return false;
}

void TapAndHold::pass_press_on() {
    m_timer->stop();
    std::unique_ptr<QMouseEvent> press = std::move(m_held);
    if (!press) return;
    QPointer<TapAndHold> alive(this);
    m_replaying = true;
    QCoreApplication::sendEvent(&m_widget, press.get());
    if (alive) m_replaying = false;
}

void TapAndHold::recognise() {
    std::unique_ptr<QMouseEvent> press = std::move(m_held);
    if (!press) return;
    m_recognised = true;
    g_gestures.fetch_add(1, std::memory_order_relaxed);
    QContextMenuEvent menu(QContextMenuEvent::Mouse, press->position().toPoint(), press->globalPosition().toPoint(),
                           press->modifiers());
    // The menu may run its own event loop; the pen's release then goes to the menu.
    QCoreApplication::sendEvent(&m_widget, &menu);
}

std::uint64_t context_menu_gesture_count() { return g_gestures.load(std::memory_order_relaxed); }

}  // namespace zt::platform::gui
