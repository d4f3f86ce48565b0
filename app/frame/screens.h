#pragma once
// The six screens of the main dialog: the clocks (clock_screens.h), the world map
// (world_time_screen.h), the stopwatch (stopwatch_screen.h), the time counters and the
// countdown timers (time_counters_screen.h, countdown_screen.h).
#include <memory>
#include <vector>

#include "app/frame/clock_screens.h"
#include "app/frame/countdown_screen.h"
#include "app/frame/screen.h"
#include "app/frame/stopwatch_screen.h"
#include "app/frame/time_counters_screen.h"
#include "app/frame/world_time_screen.h"

namespace zt::app {

// The six screens in creation order (screen numbers 0 to 5).
std::vector<std::unique_ptr<CScreen>> make_screens(const ScreenSources& sources);

}  // namespace zt::app
