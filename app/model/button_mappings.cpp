#include "app/model/button_mappings.h"

#include <algorithm>
#include <optional>

#include "contracts/registry_keys.h"
#include "platform/gui/key_codes.h"
#include "platform/registry/registry.h"
#include "texts/text_table.h"

namespace zt::app {
namespace {

namespace registry = platform::registry;

constexpr uint16_t kStoredNoAction = 0xFFFF;

std::u16string translate(std::u16string_view text) { return CTextTable::instance().translate(text); }

std::u16string decimal(uint32_t value) {
    const std::string digits = std::to_string(value);
    return std::u16string(digits.begin(), digits.end());
}

std::u16string profile_value_name(size_t profile) { return decimal(static_cast<uint32_t>(profile)); }

void put_u16(std::vector<uint8_t>& out, uint16_t value) {
    out.push_back(static_cast<uint8_t>(value & 0xFF));
    out.push_back(static_cast<uint8_t>(value >> 8));
}

}  // namespace

CButtonMappings& CButtonMappings::instance() {
    static CButtonMappings mappings;
    return mappings;
}

CButtonMappings::CButtonMappings() {
    using A = MappedAction;
    const auto entries = [](std::initializer_list<A> actions) {
        std::vector<MappingEntry> list;
        for (A action : actions) list.push_back({ static_cast<int>(action), 0 });
        return list;
    };
    m_profiles[0] = entries({ A::NewAlarm, A::ShowHideAlarms, A::ToggleFullScreen });
    m_profiles[1] = entries({ A::NewAlarm, A::ShowHideAlarms, A::ShowHideCalendar, A::ToggleFullScreen });
    m_profiles[2] = entries({ A::ToggleFullScreen });
    m_profiles[4] = entries({ A::StartStopTimer, A::LapReset, A::SaveLaps });
    m_profiles[5] = entries({ A::StartStopTimer, A::LapReset });
}

void CButtonMappings::select_for_screen(uint32_t screen) { select_profile(screen == 3 ? 4 : screen); }

void CButtonMappings::select_profile(size_t profile) {
    if (profile < kProfileCount) m_current = profile;
}

int CButtonMappings::action_for_key(uint32_t key) const {
    for (const MappingEntry& entry : m_profiles[m_current])
        if (entry.key == key) return entry.action;
    return kNoMappedAction;
}

uint32_t CButtonMappings::bind(size_t row, uint32_t key) {
    std::vector<MappingEntry>& profile = m_profiles[m_current];
    if (row >= profile.size()) return 0;
    const bool taken = key != 0 && std::any_of(profile.begin(), profile.end(), [&](const MappingEntry& entry) {
        return entry.key == key && &entry != &profile[row];
    });
    profile[row].key = taken ? 0 : key;
    return profile[row].key;
}

std::vector<uint8_t> CButtonMappings::encode(size_t profile) const {
    std::vector<uint8_t> bytes;
    for (const MappingEntry& entry : m_profiles.at(profile)) {
        put_u16(bytes, entry.action < 0 ? kStoredNoAction : static_cast<uint16_t>(entry.action));
        put_u16(bytes, static_cast<uint16_t>(entry.key));
    }
    return bytes;
}

void CButtonMappings::decode(size_t profile, std::span<const uint8_t> bytes) {
    std::vector<MappingEntry>& entries = m_profiles.at(profile);
    for (MappingEntry& entry : entries) entry.key = 0;
    for (size_t at = 0; at + 4 <= bytes.size(); at += 4) {
        const uint16_t stored_action = static_cast<uint16_t>(bytes[at] | bytes[at + 1] << 8);
        const uint16_t key = static_cast<uint16_t>(bytes[at + 2] | bytes[at + 3] << 8);
        const int action = stored_action == kStoredNoAction ? kNoMappedAction : stored_action;
        const auto entry = std::find_if(entries.begin(), entries.end(), [&](const MappingEntry& e) { return e.action == action; });
        if (entry != entries.end()) entry->key = key;
    }
}

void CButtonMappings::load() {
    const auto created = registry::Key::create(registry::Root::CurrentUser, contracts::kMappingsKeyPath);
    for (size_t profile = 0; profile < kProfileCount; ++profile) {
        const std::optional<std::vector<uint8_t>> bytes =
            created ? created->key.get_binary(profile_value_name(profile)) : std::nullopt;
        decode(profile, bytes ? std::span<const uint8_t>(*bytes) : std::span<const uint8_t> {});
    }
}

void CButtonMappings::save() const {
    const auto created = registry::Key::create(registry::Root::CurrentUser, contracts::kMappingsKeyPath);
    if (!created) return;
    for (size_t profile = 0; profile < kProfileCount; ++profile) created->key.set_binary(profile_value_name(profile), encode(profile));
}

std::u16string mapped_action_name(int action) {
    static constexpr const char16_t* kNames[] = { u"New Alarm",        u"Start/Stop Timer",   u"Lap/Reset",
                                                  u"Save Laps",        u"Toggle Fullscreen", u"Show/Hide Calendar",
                                                  u"Show/Hide Alarms" };
    if (action < 0 || action >= static_cast<int>(std::size(kNames))) return {};
    return translate(kNames[action]);
}

std::u16string mapped_key_name(uint32_t key) {
    namespace keys = platform::gui;
    switch (key) {
        case 0: return {};
        case keys::VK_RETURN: return translate(u"Action");
        case keys::VK_LEFT: return translate(u"Left");
        case keys::VK_UP: return translate(u"Up");
        case keys::VK_RIGHT: return translate(u"Right");
        case keys::VK_DOWN: return translate(u"Down");
        default: break;
    }
    if (key >= CButtonMappings::kFirstAppButton && key <= CButtonMappings::kLastAppButton)
        return translate(u"Button") + u" " + decimal(key - 192);
    return translate(u"Key Code") + u" " + decimal(key);
}

}  // namespace zt::app
