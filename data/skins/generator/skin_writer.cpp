#include "data/skins/generator/skin_writer.h"

#include <QImageWriter>
#include <functional>

#include "data/skins/generator/skin_images.h"
#include "data/skins/generator/skin_layout.h"

namespace zt::skinart {

namespace {

struct Entry {
    const char* base;  // file name without ".png"
    bool vga;          // also drawn at double size as <base>_vga.png
    std::function<QImage(const SkinStyle&, int)> draw;
};

std::vector<Entry> entries(const LandShapes& land)
{
    auto map = [&land](QSize size) {
        return [&land, size](const SkinStyle& s, int scale) { return draw_world_map(s, land, size, scale); };
    };
    return {
        { "BG", true, draw_background },
        { "ToolBar", true, draw_toolbar },
        { "LToolBar", true, draw_side_toolbar },
        { "Clock", true, draw_clock },
        { "HArrow", true, draw_hour_hand },
        { "MArrow", true, draw_minute_hand },
        { "SArrow", true, draw_second_hand },
        { "DClock", true, draw_digital_face },
        { "Calendar", true, draw_calendar },
        { "TimeBar_1", true, [](const SkinStyle& s, int k) { return draw_time_bar(s, k, 0); } },
        { "TimeBar_2", true, [](const SkinStyle& s, int k) { return draw_time_bar(s, k, 1); } },
        { "TimeBar_AM", true, [](const SkinStyle& s, int k) { return draw_time_bar_ampm(s, k, 0); } },
        { "TimeBar_PM", true, [](const SkinStyle& s, int k) { return draw_time_bar_ampm(s, k, 1); } },
        { "Digits", true, draw_digits },
        { "SmallDigits", true, draw_small_digits },
        { "TimerDigits", true, draw_timer_digits },
        { "HTimerDigits", true, draw_big_timer_digits },
        { "Timer", true, draw_timer_screen },
        { "TimerControl", true, draw_timer_control },
        { "Stopwatch", true, draw_stopwatch_screen },
        { "StopwatchControl", true, draw_stopwatch_control },
        { "AlarmControl", true, draw_alarm_control },
        { "AlarmNew", true, draw_alarm_icon_new },
        { "AlarmOld", true, draw_alarm_icon_old },
        { "AlarmSetIcon", true, draw_alarm_icon },
        { "alarm_markers", true, draw_alarm_markers },
        { "CityInfo", true, draw_city_panel },
        { "LCityInfo", true, draw_landscape_city_panel },
        { "WorldMap", true, map(layout::kFullMap) },
        { "WorldMap_small", true, map(layout::kSmallMap) },
        { "Ping", true, draw_ping },
        { "fullscreen", true, draw_fullscreen_button },
        { "screen", true, draw_window_button },
        { "iconappl", true, draw_line_icons },
        { "alarm_buttons", true, draw_ring_buttons },
        { "alarm_picts", true, draw_ring_pictures },
        { "apl_Clock", true, draw_small_clock },
        { "apl_HArrow", true, draw_small_hour_hand },
        { "apl_MArrow", true, draw_small_minute_hand },
        { "apl_DClock", true, draw_small_digital_face },
    };
}

bool save(const QImage& image, const std::filesystem::path& file)
{
    QImageWriter writer(QString::fromStdString(file.string()), "png");
    // Stored as 24-bit colour: the loader reads no alpha channel.
    return writer.write(image.convertToFormat(QImage::Format_RGB888));
}

}  // namespace

WriteReport write_skin(const SkinStyle& style, const LandShapes& land, const std::filesystem::path& folder)
{
    WriteReport report;
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    for (const Entry& e : entries(land)) {
        for (int scale : { 1, 2 }) {
            if (scale == 2 && !e.vga)
                continue;
            const QString name = QString::fromLatin1(e.base) + (scale == 2 ? "_vga.png" : ".png");
            const QImage image = e.draw(style, scale);
            if (image.isNull() || !save(image, folder / name.toStdString()))
                report.failed.push_back(name);
            else
                report.written.push_back(name);
        }
    }
    return report;
}

}  // namespace zt::skinart
