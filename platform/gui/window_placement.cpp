#include "platform/gui/window_placement.h"

#include <QWidget>

#include "platform/windows/message_sender.h"
#include "platform/windows/window.h"
#include "platform/windows/window_lookup.h"

namespace zt::platform::gui {

void set_topmost(QWidget& widget, bool topmost) {
    if (is_topmost(widget) == topmost) return;
    // Changing window flags hides a shown widget; the handheld's SetWindowPos keeps it shown.
    const bool shown = widget.isVisible();
    widget.setWindowFlag(Qt::WindowStaysOnTopHint, topmost);
    if (shown) widget.show();
}

bool is_topmost(const QWidget& widget) { return widget.windowFlags().testFlag(Qt::WindowStaysOnTopHint); }

void bring_to_front(QWidget& widget, Window* device_window) {
    widget.show();
    widget.raise();
    widget.activateWindow();
    if (device_window) device_window->bring_to_front();
}

WindowHandle ForegroundMemory::remember(WindowHandle own) {
    const auto front = foreground_window();
    if (front && front->handle != own) m_previous = front->handle;
    else if (!front) m_previous = 0;
    return m_previous;
}

bool ForegroundMemory::restore() {
    const WindowHandle previous = m_previous;
    m_previous = 0;
    if (!previous || !is_window(previous)) return false;
    return post_message(previous, WM_ACTIVATE, WA_ACTIVE, 0) == DeliveryStatus::Delivered;
}

}  // namespace zt::platform::gui
