#pragma once
// How this program's top-level windows lie on the device screen, front to back, as a person
// sees them: open menus above everything, then windows kept on top, then the others; within a
// layer the window shown, raised or activated last lies in front. The window system keeps no
// such order on Qt's offscreen platform, so the device keeps it here.
//
// The device screen's top-left corner is the program's shell frame (shell_frame.h) when it shows
// one, else the origin of the host's screen; device-screen points are relative to it.
#include <QPoint>

#include <vector>

class QWidget;

namespace zt::platform::gui {

// Starts following the program's windows; later calls do nothing. Windows shown before lie
// behind those shown after. False without a QApplication.
bool install_window_stack();

// Visible top-level widgets of the program, front-most first.
std::vector<QWidget*> windows_front_to_back();
// The front-most visible window that holds the point (host screen coordinates), or nullptr.
QWidget* window_at(QPoint global);

// Host screen position of the device screen's top-left corner.
QPoint device_screen_origin();
QPoint to_device_screen(QPoint global);
QPoint from_device_screen(QPoint device);

}  // namespace zt::platform::gui
