#pragma once
// Closing another program's top-level window: WM_CLOSE, then WM_QUIT, each waited for up to
// 3 × 1700 ms; a program that ignores both is ended with exit code −1.
#include "platform/windows/window_info.h"

namespace zt::ringout {

// False for a window of this very process (nothing is done) or one that outlived it all.
bool close_program_window(const zt::platform::WindowInfo& window);

}  // namespace zt::ringout
