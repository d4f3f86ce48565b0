#include "app/frame/screens.h"

namespace zt::app {

std::vector<std::unique_ptr<CScreen>> make_screens(const ScreenSources& sources) {
    std::vector<std::unique_ptr<CScreen>> screens;
    screens.push_back(std::make_unique<CAnalogClockScreen>(sources));
    screens.push_back(std::make_unique<CDigitalClockScreen>(sources));
    screens.push_back(std::make_unique<CWorldTimeScreen>(sources));
    screens.push_back(std::make_unique<CStopwatchScreen>(sources));
    screens.push_back(std::make_unique<CTimeCountersScreen>(sources));
    screens.push_back(std::make_unique<CCountdownScreen>(sources));
    return screens;
}

}  // namespace zt::app
