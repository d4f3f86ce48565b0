#pragma once
// What one Today item knows: its host, the settings, the four city slots, the Today skin's
// images, its own copy of the alarms and the alarm list, and what it drew last. The item window
// (item_window.h) shows it; the tab clock (tab_clock.h) shares its loading.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/shared_settings.h"
#include "core/time_store.h"
#include "skins/skin_manager.h"
#include "today/alarm_list.h"
#include "today/item_menu.h"
#include "today/today_view.h"

namespace zt::today {

// The item's texts, translated through the product's text table.
std::u16string item_text(std::u16string_view english);
// Loads the text table of the product's folder once per process.
void load_item_texts();

// The settings as the item uses them: "CitiesCount" made effective.
core::TodaySettings load_item_settings();

// The Today skin's images from `skins`: the named skin, else the default one.
TodayImages load_skin_images(skins::CSkinManager& skins, std::u16string_view skin_name);

class CItemState {
public:
    static constexpr int kMaxImageRetries = 30;

    CItemState(TodayHost host, bool high_resolution);

    // Settings, cities, images and alarms again (creating the view and the reload messages).
    void reload();
    // The images alone; true when all four loaded.
    bool reload_images();
    // The alarms from the store and the alarm list.
    void reload_alarms();

    const TodayHost& host() const { return m_host; }
    bool high_resolution() const { return m_high_resolution; }
    core::TodaySettings& settings() { return m_settings; }
    const core::TodaySettings& settings() const { return m_settings; }
    const CitySlots& city_slots() const { return m_slots; }
    const TodayImages& images() const { return m_images; }
    bool show_icon() const { return icon_shown(m_host, m_settings); }
    core::CTimeStore& store() { return m_store; }
    const std::vector<std::u16string>& skin_list() const { return m_skin_list; }
    const std::vector<int32_t>& alarm_ids() const { return m_alarm_ids; }

    int32_t height() const;
    TodayLayout layout(int32_t width) const;
    // What to draw at this moment.
    TodayContent content(const platform::SYSTEMTIME& universal, const platform::SYSTEMTIME& local) const;
    MenuInputs menu_inputs() const;
    void slot_flags(bool (&holds_city)[4]) const;

    // The image retries of the relay window's timer 700: -1 while none are running.
    int retry_count { -1 };
    // Hour and minute of the last drawing, and the zone offset it used.
    int last_minute_of_day { -1 };
    int32_t zone_offset_minutes { 0 };

private:
    TodayHost m_host;
    bool m_high_resolution;
    skins::CSkinManager m_skins;
    core::TodaySettings m_settings;
    CitySlots m_slots;
    TodayImages m_images;
    core::CTimeStore m_store;
    AlarmList m_alarms;
    std::vector<int32_t> m_alarm_ids;
    std::vector<std::u16string> m_skin_list;
};

// The zone offset as the item rounds it: ((local - universal in ms + 30,000) × 2 ÷ 120,000).
int32_t rounded_zone_offset_minutes(platform::FileTime local, platform::FileTime universal);

}  // namespace zt::today
