#include "today/item_menu.h"

#include <cstdio>

#include "platform/base/text.h"

namespace zt::today {
namespace {

MenuEntry item(std::u16string text, uint32_t number, bool checked = false, bool enabled = true) {
    return { std::move(text), number, checked, enabled, {} };
}

MenuEntry separator() { return {}; }

MenuEntry submenu(std::u16string text, std::vector<MenuEntry> entries) {
    MenuEntry entry;
    entry.text = std::move(text);
    entry.submenu = std::move(entries);
    return entry;
}

std::u16string numbered(int number, std::u16string_view name) {
    char prefix[16];
    std::snprintf(prefix, sizeof prefix, "%d: ", number);
    std::u16string text = platform::to_u16(prefix);
    text += name;
    return text;
}

std::vector<MenuEntry> city_slot_entries(const MenuInputs& inputs, uint32_t first_command) {
    std::vector<MenuEntry> entries;
    for (int slot = 0; slot < 4; ++slot) {
        entries.push_back(item(numbered(slot + 1, inputs.city_names[slot]), first_command + static_cast<uint32_t>(slot),
                               inputs.city_index == slot));
    }
    return entries;
}

std::vector<MenuEntry> alarm_submenu(const MenuInputs& inputs, const core::CAlarm& alarm, uint32_t position) {
    const uint32_t base = command::kFirstAlarm + command::kAlarmStride * position;
    std::vector<MenuEntry> entries;
    entries.push_back(item(inputs.translate(u"Dismiss"), base + command::kAlarmDismiss, false, alarm.snoozed));
    entries.push_back(item(inputs.translate(alarm.enabled() ? u"Disable" : u"Enable"), base + command::kAlarmSwitch));
    entries.push_back(item(inputs.translate(u"Edit..."), base + command::kAlarmEdit));
    entries.push_back(separator());
    entries.push_back(item(inputs.translate(u"Remove"), base + command::kAlarmRemove));
    return entries;
}

}  // namespace

std::vector<MenuEntry> build_city_menu(const MenuInputs& inputs) {
    std::vector<MenuEntry> entries = city_slot_entries(inputs, command::kFirstCitySlot);
    if (inputs.city_index >= 0) {
        entries.push_back(separator());
        entries.push_back(item(inputs.translate(u"Local Time"), command::kLocalTime));
    }
    return entries;
}

std::vector<MenuEntry> build_alarm_menu(const MenuInputs& inputs) {
    std::vector<MenuEntry> entries;
    uint32_t position = 0;
    for (const core::CAlarm* alarm : inputs.alarms) {
        entries.push_back(submenu(core::alarm_row_text(*alarm, inputs.twelve_hour, inputs.translate),
                                  alarm_submenu(inputs, *alarm, position++)));
    }
    if (!entries.empty()) entries.push_back(separator());
    entries.push_back(item(inputs.translate(u"New Alarm"), command::kNewAlarm));
    entries.push_back(item(inputs.translate(u"New One Time Alarm"), command::kNewOneTimeAlarm));
    return entries;
}

std::vector<MenuEntry> build_full_menu(const MenuInputs& inputs) {
    const auto& t = inputs.translate;
    std::vector<MenuEntry> menu;
    menu.push_back(submenu(t(u"Views"), { item(t(u"Analog Clock"), command::kFirstView, inputs.view == 0),
                                          item(t(u"Digital Clock"), command::kFirstView + 1, inputs.view == 1) }));
    if (inputs.view == 0) {
        std::vector<MenuEntry> skins;
        for (size_t n = 0; n < inputs.skins.size(); ++n) {
            skins.push_back(item(inputs.skins[n], command::kFirstSkin + static_cast<uint32_t>(n),
                                 platform::equal_ignoring_case(inputs.skins[n], inputs.current_skin)));
        }
        menu.push_back(submenu(t(u"Skins"), std::move(skins)));
    }
    std::vector<MenuEntry> counts;
    for (uint32_t count = 1; count <= 4; ++count) {
        counts.push_back(item(platform::to_u16(std::to_string(count)), command::kFirstCount + count - 1,
                              inputs.cities == count));
    }
    menu.push_back(submenu(t(u"Cities Count"), std::move(counts)));
    if (inputs.cities == 1) {
        std::vector<MenuEntry> cities = city_slot_entries(inputs, command::kFirstCitySlot);
        cities.push_back(item(t(u"Local Time"), command::kLocalTime, inputs.city_index < 0));
        menu.push_back(submenu(t(u"Change City"), std::move(cities)));
    }
    menu.push_back(submenu(t(u"Alarms"), build_alarm_menu(inputs)));
    menu.push_back(item(t(u"Options..."), command::kOptions));
    menu.push_back(item(t(u"Run Screen Saver"), command::kRunScreenSaver));
    std::u16string run = t(u"Run");
    run += u" ";
    run += t(u"Zun Time");
    menu.push_back(item(std::move(run), command::kRunProgram));
    return menu;
}

std::optional<AlarmCommand> decode_alarm_command(uint32_t command_number) {
    if (command_number < command::kFirstAlarm) return std::nullopt;
    const uint32_t offset = command_number - command::kFirstAlarm;
    const AlarmCommand decoded { offset / command::kAlarmStride, offset % command::kAlarmStride };
    if (decoded.action > command::kAlarmEdit) return std::nullopt;
    return decoded;
}

}  // namespace zt::today
