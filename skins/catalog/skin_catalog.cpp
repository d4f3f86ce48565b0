#include "skins/catalog/skin_catalog.h"

namespace zt::skintool {

namespace {

std::vector<int> range(int first, int last)
{
    std::vector<int> v;
    for (int i = first; i <= last; ++i)
        v.push_back(i);
    return v;
}

std::vector<ImageRule> make_catalog()
{
    using K = ImageKind;
    return {
        { "BG.png", K::Plain, 0, {}, {}, -1, 0, false },
        { "ToolBar.png", K::Strip, 4, {}, {}, -1, 0, false },
        { "LToolBar.png", K::Strip, 4, {}, {}, -1, 0, false },
        { "Clock.png", K::Strip, 1, { 0 }, { 5 }, -1, 0, false },
        { "HArrow.png", K::Strip, 1, { 0 }, {}, -1, 0, false },
        { "MArrow.png", K::Strip, 1, { 0 }, {}, -1, 0, false },
        { "SArrow.png", K::Strip, 1, { 0 }, {}, -1, 0, false },
        { "DClock.png", K::Strip, 1, {}, range(1, 7), -1, 0, true },
        { "Calendar.png", K::Strip, 2, {}, {}, 1, 4, true },
        { "TimeBar_1.png", K::Strip, 1, {}, {}, -1, 0, false },
        { "TimeBar_2.png", K::Strip, 1, {}, {}, -1, 0, false },
        { "TimeBar_AM.png", K::Strip, 1, {}, {}, -1, 0, false },
        { "TimeBar_PM.png", K::Strip, 1, {}, {}, -1, 0, false },
        { "Digits.png", K::Strip, 11, {}, {}, -1, 0, false },
        { "SmallDigits.png", K::Strip, 13, {}, {}, -1, 0, false },
        { "TimerDigits.png", K::Strip, 12, {}, {}, -1, 0, false },
        { "HTimerDigits.png", K::Strip, 12, {}, {}, -1, 0, false },
        { "Timer.png", K::Strip, 1, {}, range(1, 11), -1, 0, false },
        { "TimerControl.png", K::Strip, 5, {}, {}, -1, 0, false },
        { "Stopwatch.png", K::Strip, 1, {}, range(1, 12), -1, 0, false },
        { "StopwatchControl.png", K::Strip, 5, {}, {}, -1, 0, false },
        { "AlarmControl.png", K::Strip, 2, {}, range(1, 19), 1, 1, false },
        { "AlarmNew.png", K::Strip, 1, {}, {}, -1, 0, false },
        { "AlarmOld.png", K::Strip, 1, {}, {}, -1, 0, false },
        { "AlarmSetIcon.png", K::Strip, 1, {}, {}, -1, 0, false },
        { "alarm_markers.png", K::Strip, 3, {}, {}, -1, 0, false },
        { "CityInfo.png", K::Strip, 2, {}, {}, 1, 3, false },
        { "LCityInfo.png", K::Strip, 2, {}, {}, 1, 3, false },
        { "WorldMap.png", K::Plain, 0, {}, {}, -1, 0, false },
        { "WorldMap_small.png", K::Plain, 0, {}, {}, -1, 0, false },
        { "Ping.png", K::Strip, 1, { 0 }, {}, -1, 0, false },
        { "fullscreen.png", K::Strip, 1, {}, {}, -1, 0, false },
        { "screen.png", K::Strip, 1, {}, {}, -1, 0, false },
        // Date, next alarm and city: each stands on a 12-pixel text line of the Today item.
        { "iconappl.png", K::Strip, 3, {}, {}, -1, 0, false, 12 },
        { "alarm_buttons.png", K::Strip, 6, {}, {}, -1, 0, false },
        { "alarm_picts.png", K::Strip, 2, {}, {}, -1, 0, false },
        { "apl_Clock.png", K::Strip, 1, { 0 }, {}, -1, 0, false },
        { "apl_HArrow.png", K::Strip, 1, { 0 }, {}, -1, 0, false },
        { "apl_MArrow.png", K::Strip, 1, { 0 }, {}, -1, 0, false },
        { "apl_DClock.png", K::Strip, 1, {}, {}, -1, 0, true },
    };
}

}  // namespace

const std::vector<ImageRule>& skin_catalog()
{
    static const std::vector<ImageRule> catalog = make_catalog();
    return catalog;
}

const ImageRule* find_rule(std::string_view name)
{
    for (const ImageRule& rule : skin_catalog())
        if (rule.name == name)
            return &rule;
    return nullptr;
}

}  // namespace zt::skintool
