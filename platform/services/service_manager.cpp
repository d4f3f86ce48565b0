#include "platform/services/service_manager.h"

#include <charconv>

#include "platform/base/text.h"
#include "platform/services/control_channel.h"
#include "platform/services/control_text.h"

namespace zt::platform::services {
namespace {

// A name that would break the line format cannot name a service either.
bool fits_the_channel(std::u16string_view text) {
    if (text.empty()) return false;
    for (char16_t c : text) {
        if (c == u'\t' || c == u'\n' || c == u'\r' || c == 0) return false;
    }
    return true;
}

ServiceResult result_of(const std::optional<std::string>& answer) {
    if (!answer) return { ServiceStatus::DeviceNotRunning, 0 };
    auto fields = split_fields(first_line(*answer));
    if (fields.size() >= 2 && fields[0] == "OK") {
        if (auto handle = parse_number(fields[1])) return { ServiceStatus::Ok, *handle };
    }
    if (fields.size() >= 2 && fields[0] == "ERR") {
        ServiceStatus status = parse_status(fields[1]);
        uint32_t handle = fields.size() >= 3 ? parse_number(fields[2]).value_or(0) : 0;
        return { status, handle };
    }
    return { ServiceStatus::Failed, 0 };
}

}  // namespace

ServiceResult activate_service(std::u16string_view registry_name) {
    if (!fits_the_channel(registry_name)) return { ServiceStatus::NotFound, 0 };
    return result_of(ask_device("ACTIVATE\t" + utf16_to_utf8(registry_name)));
}

ServiceResult get_service_handle(std::u16string_view device_name) {
    if (!fits_the_channel(device_name)) return { ServiceStatus::NotFound, 0 };
    return result_of(ask_device("FIND\t" + utf16_to_utf8(device_name)));
}

ServiceStatus deregister_service(ServiceHandle handle) {
    if (handle == 0) return ServiceStatus::NotFound;
    auto answer = ask_device("DEREGISTER\t" + std::to_string(handle));
    if (!answer) return ServiceStatus::DeviceNotRunning;
    auto fields = split_fields(first_line(*answer));
    if (!fields.empty() && fields[0] == "OK") return ServiceStatus::Ok;
    return fields.size() >= 2 ? parse_status(fields[1]) : ServiceStatus::Failed;
}

std::optional<RunningDevice> query_running_device() {
    auto answer = ask_device("STATUS");
    if (!answer) return std::nullopt;
    auto lines = split_lines(*answer);
    if (lines.empty()) return std::nullopt;
    auto head = split_fields(lines[0]);
    if (head.size() < 2 || head[0] != "OK") return std::nullopt;
    RunningDevice device;
    device.pid = static_cast<int>(parse_number(head[1]).value_or(0));
    for (size_t i = 1; i < lines.size(); ++i) {
        auto fields = split_fields(lines[i]);
        if (fields.size() != 3) continue;
        auto handle = parse_number(fields[0]);
        if (!handle) continue;
        device.services.push_back({ *handle, utf8_to_utf16(fields[1]), utf8_to_utf16(fields[2]) });
    }
    return device;
}

const char* service_status_name(ServiceStatus status) {
    switch (status) {
    case ServiceStatus::Ok: return "ok";
    case ServiceStatus::DeviceNotRunning: return "not-running";
    case ServiceStatus::NotFound: return "not-found";
    case ServiceStatus::AlreadyActive: return "already-active";
    case ServiceStatus::Failed: break;
    }
    return "failed";
}

}  // namespace zt::platform::services
