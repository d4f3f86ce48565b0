#pragma once
// The six screens of the main dialog, with their numbers and refresh periods. Their own
// content comes with the clock screens, the world map and the timer screens; until then each
// shows the skin's background (CScreen).
#include <memory>
#include <vector>

#include "app/frame/screen.h"

namespace zt::app {

class CAnalogClockScreen final : public CScreen {
public:
    static constexpr uint32_t kRefreshMs = 500;
    explicit CAnalogClockScreen(skins::CSkinManager& skins) : CScreen(ScreenNumber::AnalogClock, kRefreshMs, skins) {}
};

class CDigitalClockScreen final : public CScreen {
public:
    static constexpr uint32_t kRefreshMs = 500;
    explicit CDigitalClockScreen(skins::CSkinManager& skins) : CScreen(ScreenNumber::DigitalClock, kRefreshMs, skins) {}
};

// Redrawn on demand only.
class CWorldTimeScreen final : public CScreen {
public:
    explicit CWorldTimeScreen(skins::CSkinManager& skins) : CScreen(ScreenNumber::WorldTime, 0, skins) {}
};

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
std::vector<std::unique_ptr<CScreen>> make_screens(skins::CSkinManager& skins);

}  // namespace zt::app
