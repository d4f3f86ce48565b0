#pragma once
// The toolbar's buttons as the device's tools list them: they are drawn from the skin into the
// main dialog, so the dialog describes them (platform/gui/control_id.h).
#include <vector>

#include "app/frame/toolbar_layout.h"
#include "platform/gui/control_id.h"

namespace zt::app {

// "Screen set", "Button 1".."Button 3" (the selected one "selected"), "Options".
std::vector<platform::gui::DrawnControl> describe_toolbar(const DialogLayout& layout, int selected_button);

}  // namespace zt::app
