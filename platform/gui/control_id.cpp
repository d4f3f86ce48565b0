#include "platform/gui/control_id.h"

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QVariant>
#include <QWidget>

namespace zt::platform::gui {
namespace detail {

// The holder is asked by an event rather than by its C++ type: a library loaded into a program
// (a Today item) carries its own copy of this code, whose types the program's copy cannot cast to.
// The event has a name outside any anonymous namespace, so that both copies' events are the
// same type.
class DescribeEvent final : public QEvent {
public:
    static constexpr QEvent::Type kType = static_cast<QEvent::Type>(QEvent::User + 0x0401);
    DescribeEvent() : QEvent(kType) {}
    std::vector<DrawnControl> controls;
};

}  // namespace detail

namespace {

constexpr char kControlIdProperty[] = "zt_control_id";
constexpr char kDrawnControlsName[] = "zt_drawn_controls";

// Kept as a Qt child of the widget, so the description goes with it.
class DrawnControlsHolder final : public QObject {
public:
    DrawnControlsHolder(QWidget& widget, DescribeDrawnControls describe)
        : QObject(&widget), m_describe(std::move(describe)) {
        setObjectName(QString::fromLatin1(kDrawnControlsName));
    }
    DescribeDrawnControls m_describe;

protected:
    bool event(QEvent* event) override {
        if (event->type() != detail::DescribeEvent::kType) return QObject::event(event);
        if (m_describe) static_cast<detail::DescribeEvent*>(event)->controls = m_describe();
        return true;
    }
};

QObject* holder_object(const QWidget& widget) {
    for (QObject* child : widget.children()) {
        if (child->objectName() == QLatin1String(kDrawnControlsName)) return child;
    }
    return nullptr;
}

// Only this copy's own holders can be changed; another copy's are left to it.
DrawnControlsHolder* holder_of(const QWidget& widget) { return dynamic_cast<DrawnControlsHolder*>(holder_object(widget)); }

}  // namespace

void set_control_id(QObject& control, std::int32_t id) { control.setProperty(kControlIdProperty, QVariant(id)); }

std::optional<std::int32_t> control_id(const QObject& control) {
    const QVariant value = control.property(kControlIdProperty);
    if (!value.isValid()) return std::nullopt;
    bool ok = false;
    const int id = value.toInt(&ok);
    if (!ok) return std::nullopt;
    return id;
}

void set_drawn_controls(QWidget& widget, DescribeDrawnControls describe) {
    DrawnControlsHolder* holder = holder_of(widget);
    if (!describe) {
        delete holder;
        return;
    }
    if (holder)
        holder->m_describe = std::move(describe);
    else
        new DrawnControlsHolder(widget, std::move(describe));
}

std::vector<DrawnControl> drawn_controls(const QWidget& widget) {
    QObject* holder = holder_object(widget);
    if (!holder) return {};
    detail::DescribeEvent ask;
    QCoreApplication::sendEvent(holder, &ask);
    return std::move(ask.controls);
}

}  // namespace zt::platform::gui
