#include "app/frame/screens.h"

namespace zt::app {

std::vector<std::unique_ptr<CScreen>> make_screens(skins::CSkinManager& skins) {
    std::vector<std::unique_ptr<CScreen>> screens;
    screens.push_back(std::make_unique<CAnalogClockScreen>(skins));
    screens.push_back(std::make_unique<CDigitalClockScreen>(skins));
    screens.push_back(std::make_unique<CWorldTimeScreen>(skins));
    screens.push_back(std::make_unique<CStopwatchScreen>(skins));
    screens.push_back(std::make_unique<CTimeCountersScreen>(skins));
    screens.push_back(std::make_unique<CCountdownScreen>(skins));
    return screens;
}

}  // namespace zt::app
