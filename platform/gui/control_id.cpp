#include "platform/gui/control_id.h"

#include <QObject>
#include <QVariant>
#include <QWidget>

namespace zt::platform::gui {
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
};

DrawnControlsHolder* holder_of(const QWidget& widget) {
    for (QObject* child : widget.children()) {
        if (child->objectName() != QLatin1String(kDrawnControlsName)) continue;
        if (auto* holder = dynamic_cast<DrawnControlsHolder*>(child)) return holder;
    }
    return nullptr;
}

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
    const DrawnControlsHolder* holder = holder_of(widget);
    return holder && holder->m_describe ? holder->m_describe() : std::vector<DrawnControl> {};
}

}  // namespace zt::platform::gui
