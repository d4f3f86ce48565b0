#pragma once
// The built-in help viewer: the help file in a text browser, opened at its topic, on a window of
// the device's screen size. Links inside the file are followed in the same window. It is a
// device window of class "PegHelp" titled with the file and topic; WM_CLOSE closes it.
#include <QWidget>

#include <memory>

#include "platform/gui/help.h"
#include "platform/windows/qt/qt_message_pump.h"

class QTextBrowser;

namespace zt::platform::help {

inline constexpr char16_t kHelpWindowClass[] = u"PegHelp";

class HelpViewer final : public QWidget {
public:
    explicit HelpViewer(QWidget* parent = nullptr);

    // Loads the file and scrolls to the anchor (the top when the anchor is empty or unknown).
    // False when the file cannot be read; the window then says so.
    bool open(const gui::HelpTarget& target);
    QTextBrowser& browser() const { return *m_browser; }
    WindowHandle device_window() const { return m_pump ? m_pump->window().handle() : 0; }

protected:
    bool event(QEvent* event) override;

private:
    QTextBrowser* m_browser { nullptr };
    std::unique_ptr<QtMessagePump> m_pump;
};

}  // namespace zt::platform::help
