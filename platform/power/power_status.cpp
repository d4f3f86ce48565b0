#include "platform/power/power_status.h"

#include <fstream>
#include <string>
#include <system_error>

#include "platform/profile/device_profile.h"

namespace zt::platform {
namespace {

namespace fs = std::filesystem;

// First line of a small sysfs attribute, without the newline; empty when unreadable.
std::string read_attribute(const fs::path& file) {
    std::ifstream in(file);
    std::string line;
    std::getline(in, line);
    return line;
}

}  // namespace

SystemPowerStatus host_power_status(const fs::path& supplies) {
    SystemPowerStatus status;
    std::error_code ec;
    fs::directory_iterator it(supplies, ec);
    if (ec) {
        status.ac_line = ACLineStatus::Online;
        return status;
    }
    bool any_external = false;
    bool external_online = false;
    bool unreadable = false;
    for (; it != fs::directory_iterator(); it.increment(ec)) {
        if (ec) break;
        auto type = read_attribute(it->path() / "type");
        if (type == "Battery") {
            status.has_battery = true;
        } else if (type == "Mains" || type == "USB") {
            any_external = true;
            auto online = read_attribute(it->path() / "online");
            if (online == "1") external_online = true;
            if (online.empty()) unreadable = true;
        }
    }
    if (external_online || !status.has_battery) {
        status.ac_line = ACLineStatus::Online;
    } else if (unreadable && any_external) {
        status.ac_line = ACLineStatus::Unknown;
    } else {
        status.ac_line = ACLineStatus::Offline;
    }
    return status;
}

SystemPowerStatus system_power_status() {
    SystemPowerStatus status = host_power_status("/sys/class/power_supply");
    if (auto pinned = read_device_profile().ac_power) {
        status.ac_line = *pinned ? ACLineStatus::Online : ACLineStatus::Offline;
    }
    return status;
}

const char* ac_line_name(ACLineStatus status) {
    switch (status) {
    case ACLineStatus::Online: return "on-line";
    case ACLineStatus::Offline: return "off-line";
    case ACLineStatus::Unknown: break;
    }
    return "unknown";
}

}  // namespace zt::platform
