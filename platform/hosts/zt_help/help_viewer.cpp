#include "platform/hosts/zt_help/help_viewer.h"

#include <QFileInfo>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include "platform/gui/screen_metrics.h"
#include "platform/windows/qt/window_message_event.h"

namespace zt::platform::help {

HelpViewer::HelpViewer(QWidget* parent) : QWidget(parent) {
    setWindowTitle(QStringLiteral("Help"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_browser = new QTextBrowser(this);
    m_browser->setOpenExternalLinks(false);
    m_browser->setOpenLinks(true);
    layout->addWidget(m_browser);
    const gui::ScreenMetrics screen = gui::read_screen_metrics();
    resize(screen.width, screen.height);
    m_pump = QtMessagePump::create(kHelpWindowClass, u"Help", this, WindowOptions { .visible = false });
}

bool HelpViewer::event(QEvent* event) {
    if (event->type() != WindowMessageEvent::event_type()) return QWidget::event(event);
    auto* message = static_cast<WindowMessageEvent*>(event);
    if (message->message().number == WM_CLOSE) {
        message->set_answer(0);
        close();
    }
    return true;
}

bool HelpViewer::open(const gui::HelpTarget& target) {
    const QString path = QString::fromStdString(target.host_path.string());
    if (!QFileInfo(path).isFile() || !QFileInfo(path).isReadable()) {
        m_browser->setPlainText(QStringLiteral("The help file %1 cannot be opened.")
                                    .arg(QString::fromStdU16String(target.device_path)));
        return false;
    }
    if (m_pump) {
        const std::u16string title = target.anchor.empty() ? target.device_path : target.device_path + u"#" + target.anchor;
        m_pump->window().set_title(title);
    }
    QUrl url = QUrl::fromLocalFile(path);
    if (!target.anchor.empty()) url.setFragment(QString::fromStdU16String(target.anchor));
    // setSource scrolls to the fragment once the document is laid out at the widget's size.
    m_browser->setSource(url);
    if (!target.anchor.empty()) m_browser->scrollToAnchor(QString::fromStdU16String(target.anchor));
    return true;
}

}  // namespace zt::platform::help
