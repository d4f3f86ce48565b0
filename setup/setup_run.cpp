#include "setup/setup_run.h"

#include <thread>

#include "skins/skin_manager.h"

namespace zt::setup {
namespace {

void sleep_for(std::chrono::milliseconds duration) { std::this_thread::sleep_for(duration); }

PauseFunction g_pause = &sleep_for;

}  // namespace

SetupRun& current_run() {
    static SetupRun run;
    return run;
}

void set_pause_function(PauseFunction pause) { g_pause = pause ? pause : &sleep_for; }

void pause_for(std::chrono::milliseconds duration) { g_pause(duration); }

bool newer_platform() { return skins::read_skin_screen().generation >= 4; }

}  // namespace zt::setup
