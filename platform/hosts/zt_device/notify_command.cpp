#include <cstdio>

#include "platform/base/text.h"
#include "platform/hosts/zt_device/commands.h"
#include "platform/hosts/zt_device/time_text.h"
#include "platform/notify/registration_store.h"
#include "platform/notify/user_notification.h"

namespace zt::platform::device {
namespace {

using namespace zt::platform::notify;

int list() {
    std::string problem;
    auto registrations = read_user_notifications(&problem);
    if (!registrations) {
        std::fprintf(stderr,
                     "zt-device: cannot read the notification volume %s; the device moves a damaged volume aside "
                     "when it starts or at the next registration\n",
                     problem.c_str());
        return kExitFailure;
    }
    for (const auto& registration : *registrations) {
        const auto& trigger = registration.trigger;
        bool timed = trigger.type == kTriggerTime;
        std::string when = timed ? format_local_time(trigger.start) : std::to_string(trigger.event);
        std::printf("%u\t%s\t%s\t%s\n", registration.handle, timed ? "time" : "event", when.c_str(),
                    utf16_to_utf8(trigger.application).c_str());
    }
    return kExitOk;
}

// add (--at "YYYY-MM-DD HH:MM:SS" | --on time-change) APP [--args TEXT]
int add(Words words) {
    if (words.size() != 3 && words.size() != 5) return usage_error("notify add needs --at TIME or --on time-change, then APP");
    Trigger trigger;
    if (words[0] == "--at") {
        auto start = parse_local_time(words[1]);
        if (!start) return usage_error("--at takes \"YYYY-MM-DD HH:MM:SS\"");
        trigger.type = kTriggerTime;
        trigger.event = kEventWakeup;
        trigger.start = *start;
        if (auto start_ft = system_time_to_file_time(*start)) {
            trigger.end = file_time_to_system_time(*start_ft + kFileTimeTicksPerSecond).value_or(SYSTEMTIME {});
        }
    } else if (words[0] == "--on" && words[1] == "time-change") {
        trigger.type = kTriggerEvent;
        trigger.event = kEventTimeChange;
    } else {
        return usage_error("notify add needs --at TIME or --on time-change");
    }
    trigger.application = utf8_to_utf16(words[2]);
    if (words.size() == 5) {
        if (words[3] != "--args") return usage_error("unexpected " + words[3]);
        trigger.arguments = utf8_to_utf16(words[4]);
    }
    auto handle = set_user_notification(0, trigger);
    if (!handle) {
        std::fprintf(stderr, "zt-device: the notification was refused (empty application or event name?)\n");
        return kExitFailure;
    }
    std::printf("%u\n", *handle);
    return kExitOk;
}

int clear(Words words) {
    if (words.size() != 1) return usage_error("notify clear takes one HANDLE");
    auto handle = parse_word(words[0]);
    if (!handle) return usage_error("not a handle: " + words[0]);
    if (!clear_user_notification(*handle)) {
        std::fprintf(stderr, "zt-device: no notification with handle %u\n", *handle);
        return kExitNotFound;
    }
    return kExitOk;
}

}  // namespace

int notify_command(Words words) {
    if (words.empty()) return usage_error("notify needs list, add or clear");
    if (words[0] == "list" && words.size() == 1) return list();
    if (words[0] == "add") return add(words.subspan(1));
    if (words[0] == "clear") return clear(words.subspan(1));
    return usage_error("unknown notify verb " + words[0]);
}

}  // namespace zt::platform::device
