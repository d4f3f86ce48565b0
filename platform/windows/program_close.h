#pragma once
// Closing another program by its top-level window, politely first: WM_CLOSE, then WM_QUIT,
// each followed by up to `checks` pauses of `check_interval` after which the window is looked
// for again; a program that outlives both is ended. The caller chooses the timings, the code
// the ended process reads back and how long to wait for its window to go.
#include <chrono>
#include <cstdint>
#include <functional>

#include "platform/windows/window_info.h"

namespace zt::platform {

struct ProgramClosePolicy {
    std::chrono::milliseconds check_interval { 1700 };
    int checks { 3 };
    std::uint32_t exit_code { 0 };
    // After the end: up to this long, in short steps, until the window is gone.
    std::chrono::milliseconds wait_after_end { 0 };
    // How a pause is made; empty sleeps. Tests pass one that returns at once.
    std::function<void(std::chrono::milliseconds)> pause;
};

// True when the window is gone (or was never there). A window of this very process is left
// alone (false): a program cannot wait for its own message loop.
bool close_program_window(const WindowInfo& window, const ProgramClosePolicy& policy);

}  // namespace zt::platform
