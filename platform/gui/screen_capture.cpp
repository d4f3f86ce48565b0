#include "platform/gui/screen_capture.h"

#include <QPainter>
#include <QPixmap>
#include <QWidget>

#include "platform/gui/screen_metrics.h"
#include "platform/gui/window_stack.h"

namespace zt::platform::gui {

QImage capture_device_screen() {
    const std::vector<QWidget*> windows = windows_front_to_back();
    if (windows.empty()) return {};
    const ScreenMetrics metrics = read_screen_metrics();
    QImage screen(metrics.width, metrics.height, QImage::Format_RGB32);
    screen.fill(Qt::black);
    QPainter painter(&screen);
    // Back to front, each window drawn as it paints itself, children included.
    for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
        QWidget* window = *it;
        const QPixmap picture = window->grab();
        painter.drawPixmap(to_device_screen(window->mapToGlobal(QPoint(0, 0))), picture);
    }
    return screen;
}

}  // namespace zt::platform::gui
