// zt-alarm: alarms and timers of a device from a terminal.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "contracts/item_command.h"
#include "contracts/main_program.h"
#include "contracts/today_item.h"
#include "core/notification_schedule.h"
#include "core/time_store.h"
#include "platform/base/clock.h"
#include "platform/base/device_root.h"
#include "platform/windows/message_sender.h"
#include "platform/windows/window_lookup.h"
#include "tools/zt_alarm/alarm_command_line.h"
#include "tools/zt_alarm/alarm_commands.h"

namespace {

class DeviceFollowUp final : public zt::tools::ChangeFollowUp {
public:
    bool reschedule(const zt::core::CTimeStore& store) override { return zt::core::schedule(store); }

    void tell_programs(int32_t id, zt::contracts::ItemCommand command, uint16_t argument) override {
        for (const char16_t* window_class : { zt::contracts::kMainProgramClass, zt::contracts::kTodayItemClass }) {
            if (auto window = zt::platform::find_window(window_class)) {
                zt::platform::post_message(window->handle, zt::contracts::kMsgItemCommand, static_cast<uint32_t>(id),
                                           zt::contracts::item_command_parameter(command, argument));
            }
        }
    }
};

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    const zt::tools::ParsedCommandLine parsed = zt::tools::parse_alarm_command_line(arguments);
    if (!parsed.request) {
        std::fprintf(stderr, "zt-alarm: %s\n\n%s", parsed.error.c_str(), zt::tools::alarm_usage());
        return 2;
    }
    const zt::tools::AlarmRequest& request = *parsed.request;
    if (request.root && !zt::platform::set_device_root(*request.root)) {
        std::fprintf(stderr, "zt-alarm: cannot use %s as the device root\n", request.root->c_str());
        return 2;
    }
    if (request.verb != zt::tools::AlarmVerb::Help && zt::platform::device_root().empty()) {
        const char* named = std::getenv("ZT_ROOT");
        std::fprintf(stderr, "zt-alarm: cannot use %s as the device root\n",
                     named && *named ? named : "the default folder");
        return 2;
    }
    zt::core::CTimeStore store;
    zt::core::install_reschedule_hook(store);
    DeviceFollowUp follow_up;
    const zt::tools::AlarmOutcome outcome = zt::tools::run_alarm_request(request, store, follow_up, zt::platform::local_time());
    std::fputs(outcome.output.c_str(), stdout);
    std::fputs(outcome.error.c_str(), stderr);
    return outcome.exit_code;
}
