#include "today/item_state.h"

#include "contracts/main_program.h"
#include "platform/base/clock.h"
#include "platform/gui/locale_clock.h"
#include "texts/text_table.h"

namespace zt::today {

std::u16string item_text(std::u16string_view english) { return app::CTextTable::instance().translate(english); }

void load_item_texts() {
    static const bool loaded = [] {
        core::CTimeStore store;
        app::CTextTable::instance().load_device_file(store.application_folder() + contracts::kTextTableFile);
        return true;
    }();
    (void)loaded;
}

core::TodaySettings load_item_settings() {
    core::TodaySettings settings;
    settings.load();
    settings.cities_count = effective_cities_count(settings.cities_count);
    return settings;
}

TodayImages load_skin_images(skins::CSkinManager& skins, std::u16string_view skin_name) {
    if (!skins.load_skin(skin_name, false)) skins.load_skin(skins::kDefaultSkinName, false);
    return load_today_images(skins);
}

int32_t rounded_zone_offset_minutes(platform::FileTime local, platform::FileTime universal) {
    const int64_t difference_ms = (local - universal) / platform::kFileTimeTicksPerMillisecond;
    return static_cast<int32_t>((difference_ms + 30'000) * 2 / 120'000);
}

CItemState::CItemState(TodayHost host, bool high_resolution)
    : m_host(host), m_high_resolution(high_resolution), m_skins(skins::read_skin_screen()) {}

void CItemState::reload() {
    load_item_texts();
    m_settings = load_item_settings();
    m_slots = load_city_slots();
    m_skin_list = m_skins.build_skin_list(skins::SkinConsumer::Applet);
    reload_images();
    reload_alarms();
}

bool CItemState::reload_images() {
    m_images = load_skin_images(m_skins, m_settings.skin_name);
    return m_images.complete();
}

void CItemState::reload_alarms() {
    m_store.reload_all();
    m_alarms = build_alarm_list(m_store, platform::local_time());
    m_alarm_ids.clear();
    for (const core::CAlarm* alarm : m_alarms.alarms) m_alarm_ids.push_back(alarm->id());
}

int32_t CItemState::height() const {
    return today_item_height(m_settings.view, m_settings.cities_count, m_images, m_high_resolution);
}

TodayLayout CItemState::layout(int32_t width) const {
    return today_layout(width, height(), m_settings.view, m_settings.cities_count, show_icon(), m_high_resolution);
}

TodayContent CItemState::content(const platform::SYSTEMTIME& universal, const platform::SYSTEMTIME& local) const {
    TodayContent content;
    content.settings = m_settings;
    content.city_slots = m_slots;
    content.show_icon = show_icon();
    content.universal = universal;
    content.local = local;
    content.next_alarm = next_ring_moment(m_alarms, local, universal);
    content.local_name = item_text(u"local");
    content.none_text = item_text(u"none");
    return content;
}

MenuInputs CItemState::menu_inputs() const {
    MenuInputs inputs;
    inputs.view = m_settings.view;
    inputs.cities = m_settings.cities_count;
    inputs.city_index = m_settings.city_index;
    for (int slot = 0; slot < kCitySlotCount; ++slot) {
        if (m_slots[slot]) inputs.city_names[slot] = std::u16string(m_slots[slot]->city.name_view());
    }
    inputs.skins = m_skin_list;
    inputs.current_skin = m_settings.skin_name;
    inputs.alarms = m_alarms.alarms;
    inputs.twelve_hour = platform::gui::locale_time_indicator() == u"0";
    inputs.translate = [](std::u16string_view english) { return item_text(english); };
    return inputs;
}

void CItemState::slot_flags(bool (&holds_city)[4]) const {
    for (int slot = 0; slot < kCitySlotCount; ++slot) holds_city[slot] = m_slots[slot].has_value();
}

}  // namespace zt::today
