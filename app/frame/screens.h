#pragma once
// The six screens of the main dialog, with their numbers and refresh periods. The clocks are
// clock_screens.h, the world map world_time_screen.h; the timer screens show the skin's
// background (CScreen) until their own content comes.
#include <memory>
#include <vector>

#include "app/frame/clock_screens.h"
#include "app/frame/screen.h"
#include "app/frame/world_time_screen.h"

namespace zt::app {

class CStopwatchScreen final : public CScreen {
public:
    static constexpr uint32_t kRefreshMs = 25;
    explicit CStopwatchScreen(skins::CSkinManager& skins) : CScreen(ScreenNumber::Stopwatch, kRefreshMs, skins) {}
};

class CTimeCountersScreen final : public CScreen {
public:
    static constexpr uint32_t kRefreshMs = 50;
    explicit CTimeCountersScreen(skins::CSkinManager& skins) : CScreen(ScreenNumber::TimeCounters, kRefreshMs, skins) {}
};

class CCountdownScreen final : public CScreen {
public:
    static constexpr uint32_t kRefreshMs = 50;
    explicit CCountdownScreen(skins::CSkinManager& skins) : CScreen(ScreenNumber::Countdown, kRefreshMs, skins) {}
};

// The six screens in creation order (screen numbers 0 to 5).
std::vector<std::unique_ptr<CScreen>> make_screens(const ScreenSources& sources);

}  // namespace zt::app
