#include "platform/windows/qt/qt_message_pump.h"

#include <QCoreApplication>
#include <QPointer>
#include <QSocketNotifier>
#include <QThread>
#include <QWidget>

#include "platform/windows/qt/window_message_event.h"

namespace zt::platform {
namespace {

// Bounds one turn of the event loop, so a flood of messages cannot starve painting and input.
constexpr int kMessagesPerTurn = 256;

Rect screen_rect(const QWidget& widget) {
    QRect r = widget.isWindow() ? widget.frameGeometry() : QRect(widget.mapToGlobal(QPoint(0, 0)), widget.size());
    return Rect { r.left(), r.top(), r.left() + r.width(), r.top() + r.height() };
}

void end_event_loop(int code) {
    if (QThread::currentThread() == QCoreApplication::instance()->thread())
        QCoreApplication::exit(code);
    else
        QThread::currentThread()->exit(code);
}

}  // namespace

// Keeps the device window's visibility, rectangle and z-order in step with the widget.
class QtMessagePump::WidgetFollower : public QObject {
public:
    WidgetFollower(QWidget* widget, Window& window) : m_window(window) { widget->installEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* widget = static_cast<QWidget*>(watched);
        switch (event->type()) {
        case QEvent::Show:
            m_window.set_rect(screen_rect(*widget));
            m_window.set_visible(true);
            m_window.bring_to_front();
            break;
        case QEvent::Hide: m_window.set_visible(false); break;
        case QEvent::Move:
        case QEvent::Resize: m_window.set_rect(screen_rect(*widget)); break;
        case QEvent::WindowActivate: m_window.bring_to_front(); break;
        default: break;
        }
        return false;
    }

private:
    Window& m_window;
};

std::unique_ptr<QtMessagePump> QtMessagePump::create(std::u16string_view class_name, std::u16string_view title,
                                                     QObject* target, WindowOptions options) {
    if (!target) return nullptr;
    auto* widget = qobject_cast<QWidget*>(target);
    if (widget) options = WindowOptions { widget->isVisible(), screen_rect(*widget) };

    QPointer<QObject> guarded(target);
    auto deliver = [guarded](Window&, const Message& message) -> std::optional<std::uint32_t> {
        if (!guarded) return std::nullopt;
        WindowMessageEvent event(message);
        QCoreApplication::sendEvent(guarded.data(), &event);
        if (event.answered()) return event.answer();
        return std::nullopt;
    };
    std::unique_ptr<QtMessagePump> pump(new QtMessagePump);
    pump->m_window = Window::create(class_name, title, std::move(deliver), options);
    if (!pump->m_window) return nullptr;
    pump->m_notifier = std::make_unique<QSocketNotifier>(pump->m_window->wait_descriptor(), QSocketNotifier::Read);
    QtMessagePump* self = pump.get();
    QObject::connect(pump->m_notifier.get(), &QSocketNotifier::activated, pump->m_notifier.get(), [self] { self->pump(); });
    if (widget) pump->m_follower = std::make_unique<WidgetFollower>(widget, *pump->m_window);
    // Anything posted before the notifier existed is taken on the loop's first turn.
    QMetaObject::invokeMethod(pump->m_notifier.get(), [self] { self->pump(); }, Qt::QueuedConnection);
    return pump;
}

QtMessagePump::~QtMessagePump() {
    m_follower.reset();  // stops following before the window goes
    m_notifier.reset();
    m_window.reset();
}

void QtMessagePump::pump() {
    bool drained = false;
    for (int taken = 0; taken < kMessagesPerTurn && !drained; ++taken) {
        auto message = m_window->next_posted();
        if (!message) {
            drained = true;
        } else if (message->number == WM_QUIT) {
            end_event_loop(static_cast<int>(message->wparam));
        } else {
            m_window->dispatch(*message);
        }
    }
    if (m_window->destroyed()) {
        m_notifier->setEnabled(false);
    } else if (!drained) {
        // Left over after a full turn: come back on the next one, as the descriptor may be quiet.
        QMetaObject::invokeMethod(m_notifier.get(), [this] { pump(); }, Qt::QueuedConnection);
    }
}

}  // namespace zt::platform
