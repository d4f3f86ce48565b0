#pragma once
// Pen and key input that the device makes itself, delivered the way the window system delivers
// it: through Qt's window-system layer, so that open menus, pen capture, modal dialogs, focus,
// double taps, the activity signal and every event filter see it as real input.
//
// Delivery is immediate: when handling the input opens a modal loop (a menu, a dialog), the call
// returns once that loop has ended. Callers that must not wait (the debug bridge) deliver from a
// step of their own and arrange what follows before delivering.
#include <QPoint>
#include <QPointer>
#include <QString>

class QWidget;
class QWindow;

namespace zt::platform::gui {

// The device's one stylus. Points are host screen coordinates.
class SyntheticPen {
public:
    // False when no window of the program lies at the point (nothing is delivered then). While
    // a menu is open the press goes to the menu, which closes when the point is outside it.
    bool press(QPoint global);
    // To the window that took the press (or the menu, or the widget holding pen capture).
    void move(QPoint global);
    void release(QPoint global);
    bool down() const { return m_down; }

private:
    QWindow* target(QPoint global) const;
    void deliver(QWindow& window, QPoint global, int type);

    QPointer<QWidget> m_pressed_window;
    bool m_down { false };
};

// A key press or release to the program's focus window (the front-most window when none has the
// focus); an open menu takes it. False when the program shows no window.
bool deliver_key(bool press, int qt_key, const QString& text);

}  // namespace zt::platform::gui
