#pragma once
// The applet's message window: a hidden device window of the class the main program answers a
// "ChooseCity" request to. Every WM_COPYDATA it gets goes to its handler, which decides what
// to keep; other messages get the device's default handling.
#include <QObject>

#include <functional>
#include <memory>

#include "platform/windows/message.h"
#include "platform/windows/qt/qt_message_pump.h"

namespace zt::applet {

inline constexpr char16_t kAppletMessageClass[] = u"ZUNTIME_APPLET_MSG{7F176662-6A25-4058-83DA-8D8E982A5CA7}";

class CAppletMessageWindow final : public QObject {
public:
    // Answers 1 when the handler took the data, else 0.
    using CopyDataHandler = std::function<bool(const platform::CopyData&)>;
    explicit CAppletMessageWindow(CopyDataHandler handler);
    ~CAppletMessageWindow() override;

    // 0 when the device window could not be made (the applet then cannot be sent a city).
    platform::WindowHandle handle() const;

protected:
    bool event(QEvent* event) override;

private:
    CopyDataHandler m_handler;
    std::unique_ptr<platform::QtMessagePump> m_pump;
};

}  // namespace zt::applet
