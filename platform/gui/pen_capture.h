#pragma once
// Pen capture: while a widget holds it, every pen move and release of this process goes to that
// widget, even outside it (a press on a button followed by a slide off it). One widget of the
// process holds it at a time; capturing again moves it.
class QWidget;

namespace zt::platform::gui {

void capture_pen(QWidget& widget);
// Releases the capture when anyone holds it; nothing happens otherwise.
void release_pen();
// The widget holding the capture, or nullptr.
QWidget* pen_capture_owner();

}  // namespace zt::platform::gui
