#pragma once
// The world screen's four city panels: the skin's panel image ("CityInfo.png" on portrait
// screens, "LCityInfo.png" on landscape ones) with the slot city's name, its local time without
// seconds, and its short date with the weekday name.
//
// Line 1 (name) and line 2 (time) are in text colour 1, line 3 (date) in colour 2; the first
// three pixels of the image's second part, when it has one, replace the two text colours and the
// map's marker colour. Where a panel is too short for three rows (line 3 would overlap line 2),
// the date follows the time on its row. Line 3 keeps clear of the panel's two squares.
#include <optional>
#include <string>

#include "platform/base/system_time.h"
#include "skins/image_strip.h"
#include "skins/picture.h"
#include "world/city_record.h"

namespace zt::skins {
class CSkinManager;
}

namespace zt::app {

struct PanelColours {
    skins::Rgb name_and_time { 100, 100, 100 };
    skins::Rgb date { 64, 64, 64 };
    skins::Rgb marker { 255, 0, 0 };
    bool operator==(const PanelColours&) const = default;
};

// The colours a panel image carries in its second part, or the defaults.
PanelColours panel_colours(const skins::CImageStrip& panel);

// What a panel shows of its city; empty texts for an empty slot.
struct PanelText {
    std::u16string name;  // already cut for the panel
    std::u16string time;
    std::u16string date;
};

// The panel texts of a city at its local time (the user's locale formats).
PanelText panel_text(const world::CityRecord& city, const platform::SYSTEMTIME& local);

class CCityPanels {
public:
    // Both images must load (the screen cannot show its panels otherwise).
    bool load(skins::CSkinManager& skins);
    void release();
    bool loaded() const { return m_portrait.has_value() && m_landscape.has_value(); }

    // One panel's size as drawn (its image's first part, doubled when scaled).
    skins::Point size(bool landscape) const;
    const PanelColours& colours(bool landscape) const { return landscape ? m_landscape_colours : m_portrait_colours; }

    void draw(skins::CPicture& canvas, const skins::Rect& panel, const PanelText& text, bool landscape,
              bool high_resolution) const;

private:
    std::optional<skins::CImageStrip> m_portrait;
    std::optional<skins::CImageStrip> m_landscape;
    PanelColours m_portrait_colours;
    PanelColours m_landscape_colours;
};

}  // namespace zt::app
