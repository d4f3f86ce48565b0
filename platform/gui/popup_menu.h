#pragma once
// A context menu as the handheld's shell pops one up: at the pen, but kept inside the device
// screen (the top-level window of the widget it belongs to), opening to the left of or above the
// point when it would run off the right or the bottom edge.
#include <QPoint>

class QAction;
class QMenu;
class QWidget;

namespace zt::platform::gui {

// Where the menu's top-left corner goes for a pop-up at `global` over `owner`'s device screen.
QPoint popup_menu_position(const QMenu& menu, const QWidget& owner, QPoint global);
// Runs the menu there; the chosen action, or nullptr.
QAction* exec_popup_menu(QMenu& menu, const QWidget& owner, QPoint global);

}  // namespace zt::platform::gui
