#pragma once
// Opening the help in the desktop's browser: only where a real display is there (not the
// offscreen platform) and xdg-open is on the PATH. ZT_HELP_VIEWER=builtin keeps the help on the
// device's own viewer.
#include "platform/gui/help.h"

namespace zt::platform::help {

bool desktop_browser_usable();
// Hands "file://…#anchor" to xdg-open, detached; false when it could not be started.
bool open_in_desktop_browser(const gui::HelpTarget& target);

}  // namespace zt::platform::help
