#include "platform/gui/pen_capture.h"

#include <QWidget>

namespace zt::platform::gui {

void capture_pen(QWidget& widget) {
    if (QWidget::mouseGrabber() == &widget) return;
    widget.grabMouse();
}

void release_pen() {
    if (QWidget* owner = QWidget::mouseGrabber()) owner->releaseMouse();
}

QWidget* pen_capture_owner() { return QWidget::mouseGrabber(); }

}  // namespace zt::platform::gui
