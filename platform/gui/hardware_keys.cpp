#include "platform/gui/hardware_keys.h"

#include <QApplication>
#include <QInputEvent>
#include <QKeyEvent>
#include <QPointer>
#include <QWidget>

#include <atomic>

#include "platform/power/user_activity.h"
#include "platform/windows/hot_keys.h"

namespace zt::platform::gui {
namespace {

std::atomic<std::uint64_t> g_activity_signals { 0 };

bool is_input(QEvent::Type type) {
    switch (type) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::TouchBegin:
    case QEvent::TouchEnd:
    case QEvent::TabletPress:
    case QEvent::TabletRelease:
    case QEvent::Wheel:
        return true;
    default:
        return false;
    }
}

// One per process, on the application object. An input event passes the filter once for every
// widget it propagates through; it counts once (same object, type and time stamp). Counting twice
// would do no harm beyond an extra set of the event.
class ActivitySignal final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (!is_input(event->type()) || !watched->isWidgetType()) return false;
        const Seen seen { event, event->type(), static_cast<QInputEvent*>(event)->timestamp() };
        if (seen != m_last) {
            m_last = seen;
            signal_user_activity();
            g_activity_signals.fetch_add(1, std::memory_order_relaxed);
        }
        return false;
    }

private:
    struct Seen {
        const QEvent* event { nullptr };
        QEvent::Type type { QEvent::None };
        quint64 timestamp { 0 };
        bool operator==(const Seen&) const = default;
    };
    Seen m_last;
};

// A hardware key that a window of the device claimed (hot_keys.h) goes to that window, whichever
// widget has the focus; the claim takes both edges of it, auto-repeats included.
bool route_to_hot_key(QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::KeyPress && type != QEvent::KeyRelease) return false;
    auto* key = static_cast<QKeyEvent*>(event);
    const auto code = device_key_code(key->key());
    if (!code) return false;
    if (key->isAutoRepeat()) return find_hot_key(hardware_key_modifiers(*code), *code).has_value();
    return route_hot_key(*code, type == QEvent::KeyRelease);
}

class HotKeyRouting final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        return watched->isWidgetType() && route_to_hot_key(event);
    }
};

// A window of its own under the root (a dialog the program opened) keeps its keys: its lists
// and edits move and type as the user expects.
bool inside(const QObject* object, const QWidget* root) {
    for (; object; object = object->parent()) {
        if (object == root) return true;
        if (const auto* widget = qobject_cast<const QWidget*>(object); widget && widget->isWindow()) return false;
    }
    return false;
}

}  // namespace

std::optional<std::uint32_t> device_key_code(int qt_key) {
    switch (qt_key) {
    case Qt::Key_Left: return VK_LEFT;
    case Qt::Key_Up: return VK_UP;
    case Qt::Key_Right: return VK_RIGHT;
    case Qt::Key_Down: return VK_DOWN;
    case Qt::Key_Return:
    case Qt::Key_Enter: return VK_RETURN;
    case Qt::Key_F1: return VK_APP1;
    case Qt::Key_F2: return VK_APP2;
    case Qt::Key_F3: return VK_APP3;
    case Qt::Key_F4: return VK_APP4;
    default: return std::nullopt;
    }
}

std::optional<int> qt_key_of_device_code(std::uint32_t key_code) {
    if (key_code >= '0' && key_code <= '9') return Qt::Key_0 + static_cast<int>(key_code - '0');
    if (key_code >= 'A' && key_code <= 'Z') return Qt::Key_A + static_cast<int>(key_code - 'A');
    switch (key_code) {
    case VK_LEFT: return Qt::Key_Left;
    case VK_UP: return Qt::Key_Up;
    case VK_RIGHT: return Qt::Key_Right;
    case VK_DOWN: return Qt::Key_Down;
    case VK_RETURN: return Qt::Key_Return;
    case VK_APP1: return Qt::Key_F1;
    case VK_APP2: return Qt::Key_F2;
    case VK_APP3: return Qt::Key_F3;
    case VK_APP4: return Qt::Key_F4;
    case VK_BACK: return Qt::Key_Backspace;
    case VK_TAB: return Qt::Key_Tab;
    case VK_ESCAPE: return Qt::Key_Escape;
    case VK_SPACE: return Qt::Key_Space;
    case VK_PRIOR: return Qt::Key_PageUp;
    case VK_NEXT: return Qt::Key_PageDown;
    case VK_END: return Qt::Key_End;
    case VK_HOME: return Qt::Key_Home;
    case VK_DELETE: return Qt::Key_Delete;
    default: return std::nullopt;
    }
}

HardwareKeys::HardwareKeys(QWidget& widget, KeyHandler on_key_up, bool take_presses)
    : QObject(&widget), m_widget(&widget), m_on_key_up(std::move(on_key_up)), m_take_presses(take_presses) {
    // On the application, so keys reaching a focused child are seen before the child acts.
    if (QCoreApplication::instance()) QCoreApplication::instance()->installEventFilter(this);
}

HardwareKeys::~HardwareKeys() {
    if (QCoreApplication::instance()) QCoreApplication::instance()->removeEventFilter(this);
}

bool HardwareKeys::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::KeyPress && type != QEvent::KeyRelease) return false;
    if (!watched->isWidgetType()) return false;
    if (route_to_hot_key(event)) return true;
    if (!inside(watched, m_widget)) return false;
    auto* key = static_cast<QKeyEvent*>(event);
    const auto code = device_key_code(key->key());
    if (!code) return false;
    if (type == QEvent::KeyPress) return m_take_presses;
    if (key->isAutoRepeat()) return true;
    return m_on_key_up && m_on_key_up(*code);
}

bool install_user_activity_signal() {
    // Guarded: a test binary may make and delete several application objects in turn.
    static QPointer<ActivitySignal> installed;
    QCoreApplication* app = QCoreApplication::instance();
    if (!app) return false;
    if (installed && installed->parent() == app) return true;
    installed = new ActivitySignal(app);
    app->installEventFilter(installed);
    return true;
}

bool install_hot_key_routing() {
    static QPointer<HotKeyRouting> installed;
    QCoreApplication* app = QCoreApplication::instance();
    if (!app) return false;
    if (installed && installed->parent() == app) return true;
    installed = new HotKeyRouting(app);
    app->installEventFilter(installed);
    return true;
}

std::uint64_t user_activity_signal_count() { return g_activity_signals.load(std::memory_order_relaxed); }

}  // namespace zt::platform::gui
