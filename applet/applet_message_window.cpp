#include "applet/applet_message_window.h"

#include "platform/windows/qt/window_message_event.h"

namespace zt::applet {

CAppletMessageWindow::CAppletMessageWindow(CopyDataHandler handler) : m_handler(std::move(handler)) {
    platform::WindowOptions options;
    options.visible = false;
    m_pump = platform::QtMessagePump::create(kAppletMessageClass, u"", this, options);
}

CAppletMessageWindow::~CAppletMessageWindow() = default;

platform::WindowHandle CAppletMessageWindow::handle() const { return m_pump ? m_pump->window().handle() : 0; }

bool CAppletMessageWindow::event(QEvent* event) {
    if (event->type() != platform::WindowMessageEvent::event_type()) return QObject::event(event);
    auto* message = static_cast<platform::WindowMessageEvent*>(event);
    if (message->message().number == platform::WM_COPYDATA)
        message->set_answer(m_handler && m_handler(message->message().copy_data) ? 1 : 0);
    return true;
}

}  // namespace zt::applet
