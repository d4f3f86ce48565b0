#include "core/settings_bag.h"

namespace zt::core {

CSettingsBag::CSettingsBag(RegistryRoot root, std::u16string key_path) : m_root(root), m_key_path(std::move(key_path)) {}

void CSettingsBag::register_number(std::u16string_view name, uint32_t default_value) {
    std::u16string key(name);
    if (m_numbers.contains(key)) return;
    if (m_numbers.insert(key, default_value)) m_number_order.push_back(std::move(key));
}

void CSettingsBag::register_text(std::u16string_view name, std::u16string_view default_text) {
    std::u16string key(name);
    if (m_texts.contains(key)) return;
    if (m_texts.put_text(key, default_text)) m_text_order.push_back(std::move(key));
}

void CSettingsBag::register_program_defaults() {
    register_number(u"ActiveScreenSet", 0);
    register_number(u"ClocksActiveScreen", 1);
    register_number(u"TimersActiveScreen", 3);
    register_number(u"ShowAlarms", 1);
    register_number(u"ShowCalendar", 1);
    register_number(u"ShowSeconds", 1);
    register_number(u"SecondsInSS", 0);
    register_number(u"AlarmsInSS", 0);
    register_number(u"NoSleepOnTimers", 1);
    register_number(u"KeepBacklight", 1);
    register_text(u"ActiveSkin", u"Default");
    register_number(u"ScrMode", 1);
    register_number(u"ScrTimeout", 300);
    register_number(u"ScrExtPower", 1);
}

void CSettingsBag::register_slide_show_defaults() {
    register_text(u"SlideShowDir", u"\\Windows");
    register_number(u"SlideShowEnabled", 0);
    register_number(u"SlideShowScaling", 1);
    register_number(u"SlideShowEffect", 0x50001);
    register_number(u"SlideShowOpacity", 40);
}

uint32_t screen_saver_timeout_to_store(uint32_t seconds) { return seconds < kMinScreenSaverTimeout ? kMinScreenSaverTimeout : seconds; }

uint32_t screen_saver_mode_to_store(uint32_t mode, uint32_t platform_version) { return platform_version < 400 ? 0 : mode; }

void CSettingsBag::load() {
    CRegistryKey key(m_root, m_key_path, false, false);
    for (const std::u16string& name : m_number_order) {
        uint32_t* value = m_numbers.lookup(name);
        *value = key.read_number(name, *value);
        notify(name);
    }
    for (const std::u16string& name : m_text_order) {
        std::u16string* value = m_texts.lookup(name);
        *value = key.read_string(name, *value);
        notify(name);
    }
}

void CSettingsBag::save() const {
    CRegistryKey key(m_root, m_key_path, true, true);
    for (const std::u16string& name : m_number_order) key.write_number(name, *m_numbers.lookup(name));
    for (const std::u16string& name : m_text_order) key.write_string(name, *m_texts.lookup(name));
}

uint32_t CSettingsBag::number(std::u16string_view name) const {
    const uint32_t* value = m_numbers.lookup(std::u16string(name));
    return value ? *value : 0;
}

std::u16string CSettingsBag::text(std::u16string_view name) const {
    const std::u16string* value = m_texts.text(name);
    return value ? *value : std::u16string();
}

void CSettingsBag::set_number(std::u16string_view name, uint32_t value) {
    uint32_t* present = m_numbers.lookup(std::u16string(name));
    if (!present || *present == value) return;
    *present = value;
    notify(name);
}

void CSettingsBag::set_text(std::u16string_view name, std::u16string_view text) {
    std::u16string* present = m_texts.lookup(std::u16string(name));
    if (!present || *present == text) return;
    *present = std::u16string(text);
    notify(name);
}

void CSettingsBag::add_observer(std::u16string_view name, Observer callback, void* context) {
    m_observers.push_back({ std::u16string(name), std::move(callback), context });
}

void CSettingsBag::notify(std::u16string_view name) {
    // Index loop: a callback may add observers.
    for (size_t i = 0; i < m_observers.size(); ++i)
        if (m_observers[i].name == name && m_observers[i].callback) m_observers[i].callback(name, m_observers[i].context);
}

}  // namespace zt::core
