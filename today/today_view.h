#pragma once
// The Today item's view: its height, layout and drawing for the analog and digital views with
// one or several cities. The item library draws with it, and the main program's Today options
// page draws its preview with the same code.
//
// Sizes are normal-resolution values doubled on a high-resolution screen (wider than 400
// pixels), as the item's table gives them.
#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "core/shared_settings.h"
#include "platform/base/system_time.h"
#include "skins/image_strip.h"
#include "skins/picture.h"
#include "world/city_record.h"
#include "world/time_zone_rules.h"

namespace zt::skins {
class CSkinManager;
}
namespace zt::core {
class CTimeStore;
}

namespace zt::today {

inline constexpr uint32_t kAnalogView = 0;
inline constexpr uint32_t kDigitalView = 1;
inline constexpr int kCitySlotCount = 4;

// "CitiesCount" as the item uses it: 0 counts as 1, above 4 as 4.
uint32_t effective_cities_count(uint32_t stored);

// Hand angles in even degrees from 12 o'clock: hour ((h × 60 + m) ÷ 4) × 2, minute
// ((m × 60 + s) ÷ 20) × 2. The rotation a hand drawn to 3 o'clock needs is (angle + 270) mod 360.
int today_hour_angle(int hour, int minute);
int today_minute_angle(int minute, int second);

// One published city slot ("City%d": the 128-byte record, then its zone's rules).
struct CitySlot {
    world::CityRecord city;
    world::TimeZoneRules rules;
};
using CitySlots = std::array<std::optional<CitySlot>, kCitySlotCount>;
// Reads "City0".."City3" of the Settings key; a missing value or one of another size is no city.
CitySlots load_city_slots();

// The Today skin's images ("apl_Clock.png", "apl_HArrow.png", "apl_MArrow.png", "iconappl.png").
struct TodayImages {
    skins::CImageStrip clock;
    skins::CImageStrip hour_hand;
    skins::CImageStrip minute_hand;
    skins::CImageStrip icons;
    bool complete() const;
};
// From the manager's current skin (the caller loads "TodaySkinName" into it first).
TodayImages load_today_images(skins::CSkinManager& skins);

// Host information of the item (Today "Items" key of "\"Zun Time\"", or the "STEmbedded" host).
struct TodayHost {
    bool stand_alone { true };
    bool embedded { false };
    bool tabs_capable { false };
    uint32_t indent { 0 };
};
TodayHost read_today_host();
// Whether the icon column is shown: stand-alone when "HideIcon" is 0; embedded when the
// indent is 1.
bool icon_shown(const TodayHost& host, const core::TodaySettings& settings);

// The item's height in pixels for the view and cities count (already made effective).
int32_t today_item_height(uint32_t view, uint32_t cities, const TodayImages& images, bool high_resolution);

// Rectangles of the item, in its own coordinates.
struct TodayLayout {
    skins::Rect icon;        // the icon column (empty when not shown)
    skins::Rect icon_tap;    // the tap area of the icon: 20 (40) square at the top-left
    skins::Rect clock_area;  // left of the text column (or the whole width with several cities)
    skins::Rect text_column; // empty with several cities
    skins::Rect line[3];     // the three text lines of the text column
};
TodayLayout today_layout(int32_t width, int32_t height, uint32_t view, uint32_t cities, bool show_icon,
                         bool high_resolution);

// The shell's theme colour 6 (HKEY_LOCAL_MACHINE "SOFTWARE\Microsoft\Color": the DWORD "6",
// else entry 6 of "SHColor", else of "DefSHColor"; 0x00BBGGRR), 0xCE8231 when none is there.
skins::Rgb theme_text_colour();
// A colour as the shell passes it (0x00BBGGRR).
skins::Rgb colour_from_colorref(uint32_t colorref);
// The normal font's height in pixels: on systems of generation 3 and later the user's text size
// (12 when the device gives none); before, 8 points at the screen's dots per inch.
int32_t normal_font_height(int generation, int dots_per_inch);

// The universal moment of the enabled alarm that rings next after the local time `local`
// (whose universal time is `universal`), when one does. Timers do not count.
std::optional<platform::FileTime> next_alarm_moment(const core::CTimeStore& store, const platform::SYSTEMTIME& local,
                                                    const platform::SYSTEMTIME& universal);

// What the drawing shows besides the settings.
struct TodayLook {
    skins::Rgb text_colour;
    int32_t normal_font_height { 12 };  // the user's text size in pixels
    bool high_resolution { false };
};
struct TodayContent {
    core::TodaySettings settings;  // cities_count already effective
    CitySlots city_slots;  // not "slots": Qt's keyword macro of that name empties it in every Qt file
    bool show_icon { true };
    platform::SYSTEMTIME universal {};
    platform::SYSTEMTIME local {};
    // The universal moment of the alarm that rings next, when one does.
    std::optional<platform::FileTime> next_alarm;
    std::u16string local_name;  // "local", translated
    std::u16string none_text;   // "none", translated
};

// The average luminance (30 % red, 59 % green, 11 % blue) of 25 samples on a 5 × 5 grid from
// one tenth of the size in steps of one fifth exceeds 179.
bool background_is_light(const skins::CPicture& picture);

// The shown city: the chosen slot when it holds a city, else none (local time).
std::optional<CitySlot> shown_city(const TodayContent& content);
// The time a city (or local time, without one) shows at the content's moment.
platform::SYSTEMTIME city_time(const TodayContent& content, const std::optional<CitySlot>& city);

// The text column's lines as drawn (and as the device's tools list them): the shown city's name
// (or the local name), the short date of the shown time, and the next alarm in the shown city's
// time with " [+%d]" whole days when it is a day or more away (or the none text).
struct TodayTexts {
    std::u16string city;
    std::u16string date;
    std::u16string alarm;
};
TodayTexts today_texts(const TodayContent& content);

// Draws the item over `picture`, which already holds the background behind it (the picture is
// as large as the item). Missing images skip the clock and hands, and the icons.
void draw_today_item(skins::CPicture& picture, const TodayContent& content, const TodayImages& images,
                     const TodayLook& look);

}  // namespace zt::today
