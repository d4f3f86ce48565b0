#include "platform/windows/qt/window_message_event.h"

namespace zt::platform {

QEvent::Type WindowMessageEvent::event_type() {
    static const QEvent::Type type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

WindowMessageEvent::WindowMessageEvent(const Message& message)
    : QEvent(event_type()), m_message(message) {}

void WindowMessageEvent::set_answer(std::uint32_t answer) {
    m_answer = answer;
    m_answered = true;
}

}  // namespace zt::platform
