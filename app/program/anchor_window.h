#pragma once
// The anchor window: a zero-size, shown top-level device window of class
// "ZUNTIME{2604481D-...}" that lives as long as the main program. Other programs find the
// main program through it; it owns the message protocol and hands each message on to the main
// dialog while one exists (the port), or deals with it itself when none does.
#include <QObject>

#include <memory>

#include "app/model/main_dialog_port.h"
#include "platform/windows/qt/qt_message_pump.h"

namespace zt::core {
class CTimeStore;
}

namespace zt::app {

class AnchorWindow final : public QObject {
public:
    // nullptr when the device window cannot be made. Create it in the main (GUI) thread.
    static std::unique_ptr<AnchorWindow> create(core::CTimeStore& store);
    ~AnchorWindow() override;

    // Where the main dialog publishes its port while it runs (null otherwise).
    MainDialogPort** port_slot() { return &m_port; }
    zt::platform::Window& window() { return m_pump->window(); }

protected:
    bool event(QEvent* event) override;

private:
    explicit AnchorWindow(core::CTimeStore& store) : m_store(store) {}
    // The answer for the sender; the message has been dealt with.
    uint32_t handle(const zt::platform::Message& message);
    void bring_forward();
    void second_instance_line(std::u16string line);
    void close_and_quit();

    core::CTimeStore& m_store;
    MainDialogPort* m_port { nullptr };
    std::unique_ptr<zt::platform::QtMessagePump> m_pump;
};

}  // namespace zt::app
