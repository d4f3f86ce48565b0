#pragma once
// The device screen as a person sees it while this program is in front: its windows composed at
// their places on a screen of the profile's size (the shell frame with task bar, content and
// soft-key bar, and open menus and dialogs on top), black where it shows nothing.
#include <QImage>

namespace zt::platform::gui {

// RGB32, the profile's screen size. A null image when the program shows no window.
QImage capture_device_screen();

}  // namespace zt::platform::gui
