#pragma once
// The shell's tap-and-hold gesture: the pen held still on a window opens its context menu.
//
// A widget takes part by having a TapAndHold (a Qt child of it), as a handheld window asks the
// shell's recogniser on each pen press. The widget's own presses are then held back until the
// recogniser decides:
//  - the pen stays within kSlopPixels of the press for kHoldMs: a context-menu gesture. The
//    widget gets a QContextMenuEvent (reason Mouse) at the press point; it never sees that press,
//    its moves or its release.
//  - the pen lifts earlier: a plain tap. The widget gets the press, then the release.
//  - the pen moves farther first: no gesture. The widget gets the press, then the moves.
// Presses on the widget's children are theirs: only the widget's own events are watched.
// A widget that takes some presses itself (a handheld window asks the recogniser only when
// the pen lands on nothing of its own) says which through a press filter: those reach it at once.
#include <QObject>
#include <QPoint>
#include <QPointF>

#include <cstdint>
#include <functional>
#include <memory>

class QMouseEvent;
class QTimer;
class QWidget;

namespace zt::platform::gui {

class TapAndHold final : public QObject {
public:
    static constexpr int kHoldMs = 500;
    static constexpr int kSlopPixels = 5;

    explicit TapAndHold(QWidget& widget);
    ~TapAndHold() override;

    // True while a press is held back waiting for the decision.
    bool deciding() const { return m_held != nullptr; }
    // Presses for which this answers true (at the widget's point) go to the widget unrecognised.
    void set_press_filter(std::function<bool(QPoint)> takes_press) { m_takes_press = std::move(takes_press); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void recognise();
    void pass_press_on();

    QWidget& m_widget;
    std::function<bool(QPoint)> m_takes_press;
    QTimer* m_timer { nullptr };
    std::unique_ptr<QMouseEvent> m_held;
    bool m_recognised { false };
    bool m_replaying { false };
};

// How many context-menu gestures this process has recognised.
std::uint64_t context_menu_gesture_count();

}  // namespace zt::platform::gui
