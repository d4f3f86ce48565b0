#pragma once
// What `zt-device ui` lists for this program: its visible windows front-most first, each
// followed by its menus' items, its controls and the controls it draws itself, in the form of
// ui_line.h with device-screen rectangles.
//
// A control is listed whole: the parts Qt builds it from (a combo box's button, a list's scroll
// bars) are not listed apart. Lists list their visible rows (one line per cell), tab bars their
// tabs, a tab widget's current page is a "page" named by its tab.
#include <vector>

#include "platform/gui/ui_line.h"

namespace zt::platform::gui {

std::vector<UiLine> describe_device_screen();

}  // namespace zt::platform::gui
