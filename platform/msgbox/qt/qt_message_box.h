#pragma once
// The Qt presenter of message boxes: a modal QMessageBox. A GUI program calls this once at
// start; programs without their own QApplication (a small tool started on a desktop) still get
// a real box: one is made for the box when a display is available and we are on the main
// thread. Anywhere else the device's fallback (log file or stderr) answers.
namespace zt::platform::msgbox {

void install_qt_message_boxes();

}  // namespace zt::platform::msgbox
