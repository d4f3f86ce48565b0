#include "platform/gui/popup_menu.h"

#include <QMenu>
#include <QWidget>

#include <algorithm>

namespace zt::platform::gui {

QPoint popup_menu_position(const QMenu& menu, const QWidget& owner, QPoint global) {
    const QWidget& screen = *owner.window();
    const QRect bounds(screen.mapToGlobal(QPoint(0, 0)), screen.size());
    const QSize size = menu.sizeHint();
    QPoint at = global;
    if (at.x() + size.width() > bounds.right() + 1) at.rx() -= size.width();
    if (at.y() + size.height() > bounds.bottom() + 1) at.ry() -= size.height();
    at.rx() = std::clamp(at.x(), bounds.left(), std::max(bounds.left(), bounds.right() + 1 - size.width()));
    at.ry() = std::clamp(at.y(), bounds.top(), std::max(bounds.top(), bounds.bottom() + 1 - size.height()));
    return at;
}

QAction* exec_popup_menu(QMenu& menu, const QWidget& owner, QPoint global) {
    return menu.exec(popup_menu_position(menu, owner, global));
}

}  // namespace zt::platform::gui
