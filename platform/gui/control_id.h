#pragma once
// What a program tells the device about its controls so that the device's tools (`zt-device ui`)
// can name them: the control ids of its dialog resources, attached to the widgets and menu
// actions that stand for those controls, and the controls it draws itself (skin buttons painted
// into one widget), described by the widget on request.
//
// Soft-key buttons carry their command identifier without being told (soft_key_bar.h).
#include <QRect>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class QObject;
class QWidget;

namespace zt::platform::gui {

// On a widget or a QAction (a menu item). Setting it again replaces it.
void set_control_id(QObject& control, std::int32_t id);
std::optional<std::int32_t> control_id(const QObject& control);

// A control drawn inside a widget, in the widget's coordinates.
struct DrawnControl {
    std::string kind { "button" };  // lower-case letters and "-"
    std::optional<std::int32_t> id;
    std::u16string text;
    QRect rect;
    bool enabled { true };
    std::vector<std::string> states;  // words of ui_line.h: checked, unchecked, selected, focused
};
using DescribeDrawnControls = std::function<std::vector<DrawnControl>()>;

// The widget's drawn controls, asked for each time the device looks; an empty function removes
// them. The function is kept with the widget and goes with it.
void set_drawn_controls(QWidget& widget, DescribeDrawnControls describe);
std::vector<DrawnControl> drawn_controls(const QWidget& widget);

}  // namespace zt::platform::gui
