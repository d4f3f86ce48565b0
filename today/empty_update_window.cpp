#include "today/empty_update_window.h"

#include <QTimer>

#include <memory>

#include "platform/windows/window.h"

namespace zt::today {

void flash_empty_update_window(QPoint screen_origin, QSize size) {
    platform::WindowOptions options;
    options.rect = { screen_origin.x(), screen_origin.y(), screen_origin.x() + size.width(),
                     screen_origin.y() + size.height() };
    std::shared_ptr<platform::Window> window = platform::Window::create(
        kEmptyWindowClass, kEmptyWindowTitle, [](platform::Window&, const platform::Message&) { return std::nullopt; },
        options);
    if (!window) return;
    QTimer::singleShot(kEmptyWindowMs, [window] { window->destroy(); });
}

}  // namespace zt::today
