#include "platform/gui/window_stack.h"

#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QWidget>

#include <algorithm>
#include <unordered_map>

#include "platform/gui/shell_frame.h"

namespace zt::platform::gui {
namespace {

// Records, per top-level widget, when it last came forward.
class StackWatch final : public QObject {
public:
    using QObject::QObject;

    std::uint64_t order_of(const QWidget* widget) const {
        auto found = m_order.find(widget);
        return found == m_order.end() ? 0 : found->second;
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
        case QEvent::Show:
        case QEvent::WindowActivate:
        case QEvent::ZOrderChange: {
            if (!watched->isWidgetType()) break;
            auto* widget = static_cast<QWidget*>(watched);
            if (!widget->isWindow()) break;
            if (m_order.find(widget) == m_order.end()) {
                connect(widget, &QObject::destroyed, this, [this, widget] { m_order.erase(widget); });
            }
            m_order[widget] = ++m_counter;
            break;
        }
        default: break;
        }
        return false;
    }

private:
    std::unordered_map<const QWidget*, std::uint64_t> m_order;
    std::uint64_t m_counter { 0 };
};

QPointer<StackWatch>& installed_watch() {
    static QPointer<StackWatch> watch;
    return watch;
}

int layer_of(const QWidget& widget) {
    const Qt::WindowType type = widget.windowType();
    if (type == Qt::Popup || type == Qt::ToolTip) return 2;
    return widget.windowFlags().testFlag(Qt::WindowStaysOnTopHint) ? 1 : 0;
}

QRect screen_rect_of(const QWidget& widget) { return QRect(widget.mapToGlobal(QPoint(0, 0)), widget.size()); }

}  // namespace

bool install_window_stack() {
    QCoreApplication* app = QCoreApplication::instance();
    if (!app) return false;
    QPointer<StackWatch>& watch = installed_watch();
    if (watch && watch->parent() == app) return true;
    watch = new StackWatch(app);
    app->installEventFilter(watch);
    return true;
}

std::vector<QWidget*> windows_front_to_back() {
    std::vector<QWidget*> windows;
    if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return windows;
    // topLevelWidgets() lists in creation order: the tie-break for windows never seen coming
    // forward (shown before the watch was installed), later ones in front.
    const QWidgetList all = QApplication::topLevelWidgets();
    std::vector<std::pair<QWidget*, int>> ranked;
    for (int index = 0; index < all.size(); ++index) {
        QWidget* widget = all[index];
        if (widget->isVisible() && !widget->isMinimized() && widget->width() > 0 && widget->height() > 0)
            ranked.emplace_back(widget, index);
    }
    const StackWatch* watch = installed_watch().data();
    std::stable_sort(ranked.begin(), ranked.end(), [watch](const auto& a, const auto& b) {
        const int layer_a = layer_of(*a.first);
        const int layer_b = layer_of(*b.first);
        if (layer_a != layer_b) return layer_a > layer_b;
        const std::uint64_t order_a = watch ? watch->order_of(a.first) : 0;
        const std::uint64_t order_b = watch ? watch->order_of(b.first) : 0;
        if (order_a != order_b) return order_a > order_b;
        return a.second > b.second;
    });
    for (const auto& [widget, index] : ranked) windows.push_back(widget);
    return windows;
}

QWidget* window_at(QPoint global) {
    for (QWidget* widget : windows_front_to_back()) {
        if (screen_rect_of(*widget).contains(global)) return widget;
    }
    return nullptr;
}

QPoint device_screen_origin() {
    for (QWidget* widget : windows_front_to_back()) {
        if (dynamic_cast<ShellFrame*>(widget)) return widget->mapToGlobal(QPoint(0, 0));
    }
    return QPoint(0, 0);
}

QPoint to_device_screen(QPoint global) { return global - device_screen_origin(); }

QPoint from_device_screen(QPoint device) { return device + device_screen_origin(); }

}  // namespace zt::platform::gui
