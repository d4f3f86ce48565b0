#pragma once
// The Qt presenter of message boxes: a modal QMessageBox. A GUI program calls this once at
// start; programs without their own QApplication (a small tool started on a desktop) still get
// a real box: one is made for the box when a display is available and we are on the main
// thread. Anywhere else the device's fallback (log file or stderr) answers.
#include <functional>

class QWidget;

namespace zt::platform::msgbox {

// Runs on each box just before it shows: a program gives its boxes its fonts and words here.
// The buttons carry the device's English words ("OK", "Cancel", "Yes", "No", "Retry").
using BoxPreparer = std::function<void(QWidget& box)>;

void install_qt_message_boxes(BoxPreparer prepare = {});

}  // namespace zt::platform::msgbox
