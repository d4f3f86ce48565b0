#include "platform/gui/synthetic_input.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QWidget>
#include <QWindow>

#include "platform/gui/window_stack.h"

// QtGui exports these for Qt's own test library: they hand input to the window-system layer
// exactly as a platform plugin does, and deliver it at once.
QT_BEGIN_NAMESPACE
Q_GUI_EXPORT void qt_handleMouseEvent(QWindow* window, const QPointF& local, const QPointF& global,
                                      Qt::MouseButtons state, Qt::MouseButton button, QEvent::Type type,
                                      Qt::KeyboardModifiers mods, int timestamp);
Q_GUI_EXPORT void qt_handleKeyEvent(QWindow* window, QEvent::Type type, int key, Qt::KeyboardModifiers mods,
                                    const QString& text, bool autorep, ushort count);
QT_END_NAMESPACE

namespace zt::platform::gui {
namespace {

// Time stamps as a window system gives them: milliseconds, rising. Double taps are told from
// two taps by them, as they are for real input.
int timestamp() {
    static QElapsedTimer clock = [] {
        QElapsedTimer started;
        started.start();
        return started;
    }();
    // Never 0: Qt reads a zero time stamp as "none".
    return static_cast<int>(clock.elapsed() & 0x3FFFFFFF) + 1;
}

QWindow* window_of(QWidget* widget) {
    if (!widget) return nullptr;
    QWidget* top = widget->window();
    return top ? top->windowHandle() : nullptr;
}

}  // namespace

QWindow* SyntheticPen::target(QPoint global) const {
    if (QWindow* popup = window_of(QApplication::activePopupWidget())) return popup;
    if (QWindow* grabber = window_of(QWidget::mouseGrabber())) return grabber;
    if (m_down && m_pressed_window && m_pressed_window->isVisible()) return window_of(m_pressed_window.data());
    return window_of(window_at(global));
}

void SyntheticPen::deliver(QWindow& window, QPoint global, int type) {
    const auto event_type = static_cast<QEvent::Type>(type);
    const Qt::MouseButtons state = event_type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    const Qt::MouseButton button = event_type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    const QPointF local = window.mapFromGlobal(QPointF(global));
    qt_handleMouseEvent(&window, local, QPointF(global), state, button, event_type, Qt::NoModifier, timestamp());
}

bool SyntheticPen::press(QPoint global) {
    QWindow* window = target(global);
    if (!window) return false;
    m_down = true;
    m_pressed_window = QApplication::activePopupWidget() ? nullptr : window_at(global);
    // A tap on a window of the program brings that window forward, as the shell does, unless a
    // modal dialog holds the program.
    QWidget* modal = QApplication::activeModalWidget();
    if (m_pressed_window && QApplication::activeWindow() != m_pressed_window && (!modal || modal == m_pressed_window))
        m_pressed_window->activateWindow();
    deliver(*window, global, QEvent::MouseButtonPress);
    return true;
}

void SyntheticPen::move(QPoint global) {
    if (QWindow* window = target(global)) deliver(*window, global, QEvent::MouseMove);
}

void SyntheticPen::release(QPoint global) {
    QWindow* window = target(global);
    m_down = false;
    m_pressed_window = nullptr;
    if (window) deliver(*window, global, QEvent::MouseButtonRelease);
}

bool deliver_key(bool press, int qt_key, const QString& text) {
    QWindow* window = QGuiApplication::focusWindow();
    if (!window || !window->isVisible()) {
        const std::vector<QWidget*> windows = windows_front_to_back();
        window = windows.empty() ? nullptr : window_of(windows.front());
    }
    if (!window) return false;
    qt_handleKeyEvent(window, press ? QEvent::KeyPress : QEvent::KeyRelease, qt_key, Qt::NoModifier, text, false, 1);
    return true;
}

}  // namespace zt::platform::gui
