#include "app/program/anchor_window.h"

#include <QApplication>
#include <QWidget>

#include "app/model/anchor_protocol.h"
#include "app/model/item_command.h"
#include "contracts/item_command.h"
#include "contracts/main_program.h"
#include "platform/windows/qt/window_message_event.h"

namespace zt::app {

namespace platform = zt::platform;

std::unique_ptr<AnchorWindow> AnchorWindow::create(core::CTimeStore& store) {
    std::unique_ptr<AnchorWindow> anchor(new AnchorWindow(store));
    // At -1,-1 and of no size: it is shown, so the device counts the program as running, yet
    // never covers anything.
    const platform::WindowOptions options { .visible = true, .rect = platform::Rect { -1, -1, -1, -1 } };
    anchor->m_pump = platform::QtMessagePump::create(contracts::kMainProgramClass, kApplicationTitle, anchor.get(), options);
    if (!anchor->m_pump) return nullptr;
    return anchor;
}

AnchorWindow::~AnchorWindow() = default;

bool AnchorWindow::event(QEvent* event) {
    if (event->type() != platform::WindowMessageEvent::event_type()) return QObject::event(event);
    auto* message_event = static_cast<platform::WindowMessageEvent*>(event);
    message_event->set_answer(handle(message_event->message()));
    return true;
}

uint32_t AnchorWindow::handle(const platform::Message& message) {
    switch (message.number) {
    case platform::WM_COPYDATA:
        // Only while the main dialog exists; the line is copied (the bytes are the sender's)
        // and acted on after the answer, so a second copy never waits for a dialog to close.
        if (m_port) {
            if (auto line = decode_command_line(message.copy_data); line && !line->empty()) {
                QMetaObject::invokeMethod(this, [this, text = std::move(*line)]() mutable {
                    second_instance_line(std::move(text));
                }, Qt::QueuedConnection);
                return 1;
            }
        }
        return 0;
    case contracts::kMsgBringForward:
        bring_forward();
        return 0;
    case contracts::kMsgEndScreenSaver:
        if (m_port) m_port->end_screensaver();
        return 0;
    case contracts::kMsgItemCommand: {
        const auto item_id = static_cast<int32_t>(message.wparam);
        const auto command = contracts::split_item_command_parameter(message.lparam);
        if (m_port) {
            m_port->item_command(item_id, command.command, command.argument);
        } else {
            // No dialog (a stand-alone alarm editor, say): the records still follow what the
            // other program did, so nothing stale is saved over its change.
            apply_item_command(m_store, item_id, command.command, command.argument);
        }
        return 0;
    }
    case platform::WM_CLOSE:
        close_and_quit();
        return 0;
    case platform::WM_SETTINGCHANGE:
        if (m_port) m_port->setting_changed();
        return 0;
    case platform::WM_ENABLE:
        // The anchor must stay reachable: a disabled device window does not exist here, so
        // "re-enable at once" leaves nothing to undo. Answered so the default never runs.
        return 0;
    default:
        return 0;
    }
}

void AnchorWindow::bring_forward() {
    if (m_port) {
        m_port->bring_forward();
        return;
    }
    // No main dialog: the anchor comes forward, and with it the top-most window the program
    // shows (the dialog a command line opened).
    m_pump->window().bring_to_front();
    if (QWidget* dialog = QApplication::activeModalWidget()) {
        dialog->raise();
        dialog->activateWindow();
    }
}

void AnchorWindow::second_instance_line(std::u16string line) {
    if (m_port) m_port->second_instance_line(line);
}

void AnchorWindow::close_and_quit() {
    if (m_port) {
        m_port->close_and_quit();
        return;
    }
    // Ends every event loop of the thread, a command line's dialog included.
    QCoreApplication::exit(0);
}

}  // namespace zt::app
