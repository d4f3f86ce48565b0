#include "platform/notify/notification_record.h"

#include "platform/base/text.h"

namespace zt::platform::notify::detail {
namespace {

enum PropertyId : uint16_t { kApplication = 1, kType = 2, kEvent = 3, kStart = 4, kEnd = 5, kArguments = 6 };
constexpr uint32_t kTriggerSize = 52;

bool is_zero(const SYSTEMTIME& time) { return time == SYSTEMTIME {}; }

template <typename T>
const T* find(const std::vector<dbvol::Property>& props, uint16_t id) {
    for (const auto& prop : props) {
        if (prop.id == id) return std::get_if<T>(&prop.value);
    }
    return nullptr;
}

}  // namespace

std::optional<std::u16string> named_event_of(std::u16string_view application) {
    if (!starts_with_ignoring_case(application, kNamedEventPrefix)) return std::nullopt;
    return std::u16string(application.substr(kNamedEventPrefix.size()));
}

std::optional<Trigger> checked_trigger(const Trigger& trigger) {
    if (trigger.size != kTriggerSize || trigger.application.empty()) return std::nullopt;
    auto event_name = named_event_of(trigger.application);
    if (event_name && event_name->empty()) return std::nullopt;
    Trigger checked = trigger;
    if (trigger.type == kTriggerTime) {
        auto start = normalize(trigger.start);
        if (!start) return std::nullopt;
        checked.start = *start;
        if (!is_zero(trigger.end)) {
            auto end = normalize(trigger.end);
            if (!end) return std::nullopt;
            checked.end = *end;
        }
        return checked;
    }
    if (trigger.type == kTriggerEvent && trigger.event != 0) {
        // Event triggers carry no times; whatever the caller left there is not kept.
        checked.start = {};
        checked.end = {};
        return checked;
    }
    return std::nullopt;
}

std::vector<dbvol::Property> to_properties(const Trigger& trigger) {
    std::vector<dbvol::Property> props {
        { kApplication, trigger.application },
        { kType, trigger.type },
        { kEvent, trigger.event },
    };
    // Built in place: gcc 12 at -O2 misreads a moved variant temporary as uninitialised.
    auto add = [&props](uint16_t id, auto value) {
        auto& property = props.emplace_back();
        property.id = id;
        property.value = std::move(value);
    };
    if (auto start = system_time_to_file_time(trigger.start)) add(kStart, int64_t { *start });
    if (auto end = system_time_to_file_time(trigger.end)) add(kEnd, int64_t { *end });
    add(kArguments, trigger.arguments);
    return props;
}

std::optional<Trigger> from_properties(const std::vector<dbvol::Property>& props) {
    auto* application = find<std::u16string>(props, kApplication);
    auto* type = find<uint32_t>(props, kType);
    auto* event = find<uint32_t>(props, kEvent);
    if (!application || !type || !event) return std::nullopt;
    Trigger trigger;
    trigger.type = *type;
    trigger.event = *event;
    trigger.application = *application;
    if (auto* arguments = find<std::u16string>(props, kArguments)) trigger.arguments = *arguments;
    if (auto* start = find<int64_t>(props, kStart)) {
        auto time = file_time_to_system_time(*start);
        if (!time) return std::nullopt;
        trigger.start = *time;
    }
    if (auto* end = find<int64_t>(props, kEnd)) {
        auto time = file_time_to_system_time(*end);
        if (!time) return std::nullopt;
        trigger.end = *time;
    }
    auto checked = checked_trigger(trigger);
    if (!checked || !(*checked == trigger)) return std::nullopt;
    return checked;
}

}  // namespace zt::platform::notify::detail
