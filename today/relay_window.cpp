#include "today/relay_window.h"

#include "contracts/today_item.h"
#include "platform/windows/qt/window_message_event.h"

namespace zt::today {

CRelayWindow::CRelayWindow(Handlers handlers)
    : m_handlers(std::move(handlers)), m_timers([this](uint32_t id) {
          if (m_handlers.on_timer) m_handlers.on_timer(id);
      }) {
    platform::WindowOptions options;
    options.visible = false;
    m_pump = platform::QtMessagePump::create(contracts::kTodayItemClass, u"", this, options);
}

CRelayWindow::~CRelayWindow() = default;

bool CRelayWindow::event(QEvent* event) {
    if (event->type() != platform::WindowMessageEvent::event_type()) return QObject::event(event);
    auto* message = static_cast<platform::WindowMessageEvent*>(event);
    const uint32_t number = message->message().number;
    if (number == contracts::kMsgCitiesChanged || number == contracts::kMsgItemCommand) {
        if (m_handlers.on_reload) m_handlers.on_reload();
        message->set_answer(0);
    }
    return true;
}

}  // namespace zt::today
