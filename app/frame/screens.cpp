#include "app/frame/screens.h"

namespace zt::app {

std::vector<std::unique_ptr<CScreen>> make_screens(const ScreenSources& sources) {
    skins::CSkinManager& skins = sources.skins;
    std::vector<std::unique_ptr<CScreen>> screens;
    screens.push_back(std::make_unique<CAnalogClockScreen>(sources));
    screens.push_back(std::make_unique<CDigitalClockScreen>(sources));
    screens.push_back(std::make_unique<CWorldTimeScreen>(sources));
    screens.push_back(std::make_unique<CStopwatchScreen>(skins));
    screens.push_back(std::make_unique<CTimeCountersScreen>(skins));
    screens.push_back(std::make_unique<CCountdownScreen>(skins));
    return screens;
}

}  // namespace zt::app
