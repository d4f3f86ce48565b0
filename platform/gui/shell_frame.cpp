#include "platform/gui/shell_frame.h"

#include <algorithm>

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QKeyEvent>
#include <QMenu>

#include "platform/gui/debug_bridge.h"
#include "platform/gui/hardware_keys.h"
#include "platform/gui/task_bar.h"
#include "platform/windows/qt/qt_message_pump.h"
#include "platform/windows/qt/window_message_event.h"

namespace zt::platform::gui {
namespace {

// A dialog of the program that fills the device screen (as the handheld's full-screen dialogs
// do) keeps filling it when the screen turns, so that it lays itself out for the new shape.
void follow_turned_screen(QSize before, QSize after) {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->isVisible() && qobject_cast<QDialog*>(window) && window->size() == before) window->resize(after);
    }
}

}  // namespace

// The soft-key bar's device window. Its target is a plain QObject, not the bar: the rectangle
// it publishes is in screen coordinates of the device (the frame's origin), which the frame
// knows and the bar does not.
class ShellFrame::SoftKeyWindow final : public QObject {
public:
    explicit SoftKeyWindow(ShellFrame& frame) : m_frame(frame) {
        m_pump = QtMessagePump::create(kSoftKeyWindowClass, u"", this, WindowOptions { .visible = false });
    }

    Window* window() { return m_pump ? &m_pump->window() : nullptr; }

    void publish(const Rect& rect, bool visible) {
        Window* device = window();
        if (!device || device->destroyed()) return;
        const bool appearing = visible && !device->info().visible;
        if (device->info().rect != rect) device->set_rect(rect);
        if (device->info().visible != visible) device->set_visible(visible);
        // The bar lies over the program's own windows, as the handheld's menu bar does.
        if (appearing) device->bring_to_front();
    }

    void bring_to_front() {
        Window* device = window();
        if (device && !device->destroyed() && device->info().visible) device->bring_to_front();
    }

protected:
    bool event(QEvent* event) override {
        if (event->type() != WindowMessageEvent::event_type()) return QObject::event(event);
        auto* message = static_cast<WindowMessageEvent*>(event);
        if (message->message().number == WM_SETTINGCHANGE) {
            m_frame.apply_screen_metrics();
            message->set_answer(0);
        } else if (message->message().number == WM_CLOSE) {
            // The shell's bar is not closed by others; it goes with its frame.
            message->set_answer(0);
        }
        return true;
    }

private:
    ShellFrame& m_frame;
    std::unique_ptr<QtMessagePump> m_pump;
};

ShellFrame::ShellFrame(std::u16string_view title, CommandHandler on_command)
    : ShellFrame(title, std::move(on_command), Options {}) {}

ShellFrame::ShellFrame(std::u16string_view title, CommandHandler on_command, Options options)
    : QWidget(nullptr), m_metrics(read_screen_metrics()), m_on_command(std::move(on_command)) {
    install_user_activity_signal();
    install_hot_key_routing();
    install_debug_bridge();
    setWindowTitle(QString::fromUtf16(title.data(), static_cast<qsizetype>(title.size())));
    m_task_bar = new TaskBar(this, [this] { rotate(); }, std::move(options.clock));
    m_task_bar->set_title(title);
    // The shell menu's shortcuts (Ctrl+R) work anywhere in the frame, not only in the open menu.
    for (QAction* action : m_task_bar->shell_menu().actions()) addAction(action);
    m_content = new QWidget(this);
    m_soft_keys = new SoftKeyBar(this, [this](uint32_t command) {
        if (m_on_command) m_on_command(command);
    });
    if (options.publish_soft_key_window) m_soft_key_window = std::make_unique<SoftKeyWindow>(*this);
    lay_out();
}

ShellFrame::~ShellFrame() = default;

void ShellFrame::set_command_handler(CommandHandler on_command) { m_on_command = std::move(on_command); }

void ShellFrame::set_title(std::u16string_view title) {
    setWindowTitle(QString::fromUtf16(title.data(), static_cast<qsizetype>(title.size())));
    m_task_bar->set_title(title);
}

std::u16string ShellFrame::title() const { return m_task_bar->title(); }

int ShellFrame::task_bar_height() const { return m_metrics.scaled(TaskBar::kHeightAt96); }

int ShellFrame::soft_key_bar_height() const { return m_metrics.scaled(TaskBar::kHeightAt96); }

void ShellFrame::set_full_screen(bool full_screen) {
    if (m_full_screen == full_screen) return;
    m_full_screen = full_screen;
    lay_out();
}

void ShellFrame::set_soft_key_bar_visible(bool visible) {
    m_soft_keys_wanted = visible;
    lay_out();
}

bool ShellFrame::soft_key_bar_visible() const { return !m_full_screen && m_soft_keys_wanted; }

bool ShellFrame::rotate() {
    // Every window of the device hears WM_SETTINGCHANGE, ours included; follow at once anyway,
    // so a frame without a published bar turns too.
    const bool rotated = rotate_screen().has_value();
    if (rotated) apply_screen_metrics();
    return rotated;
}

void ShellFrame::apply_screen_metrics() {
    const ScreenMetrics now = read_screen_metrics();
    const bool changed = now.width != m_metrics.width || now.height != m_metrics.height || now.dpi != m_metrics.dpi;
    const QSize before(m_metrics.width, m_metrics.height);
    m_metrics = now;
    if (changed) {
        lay_out();
        follow_turned_screen(before, QSize(now.width, now.height));
    }
    if (m_on_setting_change) m_on_setting_change(m_metrics);
}

void ShellFrame::on_setting_change(SettingChangeHandler handler) { m_on_setting_change = std::move(handler); }

WindowHandle ShellFrame::soft_key_window() const {
    if (!m_soft_key_window) return 0;
    Window* window = m_soft_key_window->window();
    return window ? window->handle() : 0;
}

void ShellFrame::lay_out() {
    const int width = m_metrics.width;
    const int height = m_metrics.height;
    setFixedSize(width, height);
    const int top = m_full_screen ? 0 : task_bar_height();
    const int bottom_bar = soft_key_bar_visible() ? soft_key_bar_height() : 0;
    m_task_bar->setGeometry(0, 0, width, task_bar_height());
    m_task_bar->setVisible(!m_full_screen);
    m_soft_keys->setGeometry(0, height - soft_key_bar_height(), width, soft_key_bar_height());
    m_soft_keys->setVisible(soft_key_bar_visible());
    m_content->setGeometry(0, top, width, std::max(0, height - top - bottom_bar));
    publish_soft_key_state();
}

void ShellFrame::publish_soft_key_state() {
    if (!m_soft_key_window) return;
    const int bar = soft_key_bar_height();
    const Rect rect { 0, m_metrics.height - bar, m_metrics.width, m_metrics.height };
    m_soft_key_window->publish(rect, isVisible() && soft_key_bar_visible());
}


void ShellFrame::keyPressEvent(QKeyEvent* event) {
    // The menu action's shortcut takes Ctrl+R from the window system; a key handed to the frame
    // directly (by another part of the program) still turns the screen.
    if (event->key() == Qt::Key_R && event->modifiers() == Qt::ControlModifier) {
        rotate();
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

bool ShellFrame::event(QEvent* event) {
    const bool handled = QWidget::event(event);
    switch (event->type()) {
    case QEvent::Show:
    case QEvent::Hide:
        publish_soft_key_state();
        break;
    case QEvent::WindowActivate:
        // After the program's own windows have come forward for the activation.
        if (m_soft_key_window) {
            QMetaObject::invokeMethod(this, [this] { m_soft_key_window->bring_to_front(); }, Qt::QueuedConnection);
        }
        break;
    default: break;
    }
    return handled;
}

}  // namespace zt::platform::gui
