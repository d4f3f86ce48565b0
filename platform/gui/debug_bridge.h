#pragma once
// The device's debug bridge inside a GUI program: the hidden device window that answers
// `zt-device screencap / input / ui` (bridge_protocol.h) on the program's GUI thread, with a
// picture of the device screen (screen_capture.h), the list of what it shows (ui_dump.h), and
// pen and key input played as real input (input_player.h, synthetic_input.h).
//
// One per process. The ShellFrame installs it; a program without a frame calls
// install_debug_bridge() once its QApplication exists. It knows nothing of the program: what a
// program adds is control ids and drawn controls (control_id.h).
#include "platform/windows/window_info.h"

namespace zt::platform::gui {

// False without a QApplication, or when the device window cannot be made (no device runtime
// folder); the program runs on without a bridge then.
bool install_debug_bridge();
// The bridge's device window, 0 when none is installed.
WindowHandle debug_bridge_window();

}  // namespace zt::platform::gui
