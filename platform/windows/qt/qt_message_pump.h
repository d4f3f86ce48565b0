#pragma once
// The Qt front end: a device window whose messages arrive in a QObject's event loop.
//
//   class ClockWidget : public QWidget {
//       bool event(QEvent* e) override {
//           if (e->type() == WindowMessageEvent::event_type()) {
//               auto* m = static_cast<WindowMessageEvent*>(e);
//               if (m->message().number == WM_USER + 1) { ...; m->set_answer(0); }
//               return true;
//           }
//           return QWidget::event(e);
//       }
//       std::unique_ptr<QtMessagePump> m_pump = QtMessagePump::create(u"MyClass", u"", this);
//   };
//
// Guarantees:
//  - Messages are delivered in the target's thread, from its event loop, as WindowMessageEvent
//    through QCoreApplication::sendEvent: sent ones before posted ones, posted ones in order.
//    Create the pump in the thread that runs the target's event loop.
//  - WM_QUIT is not delivered: it ends the thread's event loop with its wparam as exit code
//    (QCoreApplication::exit in the main thread).
//  - When the target is a QWidget, the window follows it: shown or hidden, moved or resized,
//    activated (brought to the front).
//  - After the window is destroyed (WM_CLOSE's default, or window().destroy()) nothing more is
//    delivered. Deleting the pump withdraws the window. Keep the pump no longer than the target
//    (a member of it, say); should the target go first, messages get the default handling.
#include <memory>
#include <string_view>

#include "platform/windows/window.h"

class QObject;
class QSocketNotifier;

namespace zt::platform {

class QtMessagePump {
public:
    // nullptr when the window cannot be made (see Window::create) or target is null.
    static std::unique_ptr<QtMessagePump> create(std::u16string_view class_name, std::u16string_view title,
                                                 QObject* target, WindowOptions options = {});

    Window& window() { return *m_window; }

    QtMessagePump(const QtMessagePump&) = delete;
    QtMessagePump& operator=(const QtMessagePump&) = delete;
    ~QtMessagePump();

private:
    class WidgetFollower;

    QtMessagePump() = default;
    void pump();

    std::unique_ptr<Window> m_window;
    std::unique_ptr<QSocketNotifier> m_notifier;
    std::unique_ptr<WidgetFollower> m_follower;
};

}  // namespace zt::platform
