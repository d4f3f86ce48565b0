#pragma once
// What one installer run carries from one entry point to the next, and the device facts the
// steps depend on. The installer calls the entry points one at a time, from one thread.
#include <chrono>
#include <string>

namespace zt::setup {

struct SetupRun {
    std::u16string installation_folder;  // device path without a trailing "\"
    bool fresh_installation { false };
};

// The run of this process (the library lives for one installer run).
SetupRun& current_run();

// The waits the steps make for other programs (the shell reloading, windows closing). Tests
// replace the pause so that nothing sleeps; the default sleeps.
using PauseFunction = void (*)(std::chrono::milliseconds);
void set_pause_function(PauseFunction pause);
void pause_for(std::chrono::milliseconds duration);

// Platform class 4 or 5 (version 5.00 and later), from the device profile.
bool newer_platform();

}  // namespace zt::setup
