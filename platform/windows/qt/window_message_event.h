#pragma once
// A window message as a Qt event, delivered to the target object of a QtMessagePump.
//
// A handler that wants a message calls set_answer() (for a posted message the answer is not
// used); an event left unanswered gets the window's default handling, so WM_CLOSE destroys the
// window unless the handler answers it. For WM_COPYDATA the bytes are valid only inside the
// handler: copy what you keep.
#include <QEvent>

#include <cstdint>

#include "platform/windows/message.h"

namespace zt::platform {

class WindowMessageEvent : public QEvent {
public:
    static QEvent::Type event_type();

    explicit WindowMessageEvent(const Message& message);

    const Message& message() const { return m_message; }
    void set_answer(std::uint32_t answer);
    bool answered() const { return m_answered; }
    std::uint32_t answer() const { return m_answer; }

private:
    const Message& m_message;
    std::uint32_t m_answer { 0 };
    bool m_answered { false };
};

}  // namespace zt::platform
