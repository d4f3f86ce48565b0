#include "today/item_commands.h"

#include <string>

#include "contracts/item_command.h"
#include "contracts/main_program.h"
#include "contracts/service.h"
#include "core/alarm.h"
#include "core/store_lock.h"
#include "platform/base/text.h"
#include "today/item_menu.h"

namespace zt::today {
namespace {

constexpr uint32_t kOptionsPage = 4;

std::u16string with_number(std::u16string_view command_line, uint32_t number) {
    std::u16string text(command_line);
    text += u' ';
    text += platform::to_u16(std::to_string(number));
    return text;
}

CommandEffect store_settings(CommandContext& context) {
    context.settings.save();
    return CommandEffect::Reload;
}

void tell_main_program(CommandContext& context, int32_t id, contracts::ItemCommand code) {
    context.reach.post_to_window(contracts::kMainProgramClass, contracts::kMsgItemCommand, static_cast<uint32_t>(id),
                                 contracts::item_command_parameter(code, 0));
}

CommandEffect run_alarm_command(const AlarmCommand& decoded, CommandContext& context) {
    if (decoded.position >= context.alarm_ids.size()) return CommandEffect::None;
    const int32_t id = context.alarm_ids[decoded.position];
    if (decoded.action == command::kAlarmEdit) {
        context.reach.start_main_program(with_number(contracts::kEditAlarmCommand, static_cast<uint32_t>(id)));
        return CommandEffect::None;
    }
    contracts::ItemCommand told = contracts::ItemCommand::Dismiss;
    {
        core::CStoreLock lock;
        context.store.reload_all();
        core::CAlarm* alarm = context.store.find_alarm(id);
        if (!alarm) return CommandEffect::Redraw;
        switch (decoded.action) {
        case command::kAlarmRemove:
            tell_main_program(context, id, contracts::ItemCommand::Delete);
            context.store.remove(id);
            break;
        case command::kAlarmDismiss:
            if (!alarm->snoozed) return CommandEffect::None;
            alarm->clear_snooze();
            alarm->save();
            break;
        default:
            alarm->set_enabled(!alarm->enabled());
            told = alarm->enabled() ? contracts::ItemCommand::Enable : contracts::ItemCommand::Disable;
            alarm->save();
            break;
        }
    }
    context.reach.reschedule(context.store);
    if (decoded.action != command::kAlarmRemove) tell_main_program(context, id, told);
    return CommandEffect::Redraw;
}

}  // namespace

std::u16string today_options_command_line() { return with_number(contracts::kOptionsCommand, kOptionsPage); }

CommandEffect run_item_command(uint32_t number, CommandContext& context) {
    core::TodaySettings& settings = context.settings;
    if (auto alarm = decode_alarm_command(number)) return run_alarm_command(*alarm, context);
    if (number >= command::kFirstSkin && number < command::kFirstAlarm) {
        const size_t position = number - command::kFirstSkin;
        if (position >= context.skins.size()) return CommandEffect::None;
        settings.skin_name = context.skins[position];
        return store_settings(context);
    }
    if (number >= command::kFirstCitySlot && number < command::kFirstCitySlot + 4) {
        const int slot = static_cast<int>(number - command::kFirstCitySlot);
        settings.city_index = context.slot_holds_city[slot] ? slot : core::TodaySettings::kNoCity;
        return store_settings(context);
    }
    if (number >= command::kFirstCount && number < command::kFirstCount + 4) {
        settings.cities_count = number - command::kFirstCount + 1;
        return store_settings(context);
    }
    if (number == command::kFirstView || number == command::kFirstView + 1) {
        settings.view = number - command::kFirstView;
        return store_settings(context);
    }
    switch (number) {
    case command::kLocalTime:
        settings.city_index = core::TodaySettings::kNoCity;
        return store_settings(context);
    case command::kRunProgram: context.reach.start_main_program(u""); break;
    case command::kOptions: context.reach.start_main_program(today_options_command_line()); break;
    case command::kRunScreenSaver: context.reach.post_to_window(contracts::kServiceClass, contracts::kMsgStartScreenSaver, 0, 0); break;
    case command::kNewAlarm: context.reach.start_main_program(contracts::kNewAlarmCommand); break;
    case command::kNewOneTimeAlarm: context.reach.start_main_program(contracts::kNewOneTimeAlarmCommand); break;
    default: break;
    }
    return CommandEffect::None;
}

}  // namespace zt::today
