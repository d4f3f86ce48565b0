#pragma once
// The power status the device reports (the platform's GetSystemPowerStatusEx2, reduced to
// what programs ask of it: is the device on external power).
//
// Where the answer comes from, first match wins:
//  1. the device profile's "ACPower" override (tests and people pin it);
//  2. the host's power supplies: any "Mains" or "USB" supply reporting online=1 is AC
//     on-line; a host without any battery is taken to be on-line (a desktop);
//     a battery with no online mains supply is off-line;
//  3. nothing readable at all (no power-supply folder) counts as a desktop: on-line.
// Unknown is left for a host whose supplies exist but cannot be read.
#include <cstdint>
#include <filesystem>

namespace zt::platform {

enum class ACLineStatus : uint8_t { Offline = 0, Online = 1, Unknown = 255 };

struct SystemPowerStatus {
    ACLineStatus ac_line { ACLineStatus::Unknown };
    bool has_battery { false };
};

SystemPowerStatus system_power_status();

// The host part alone, read from a power-supply folder laid out like /sys/class/power_supply
// (one sub-folder per supply with "type" and "online" files). Tests pass a folder of their own.
SystemPowerStatus host_power_status(const std::filesystem::path& supplies);

const char* ac_line_name(ACLineStatus status);  // "on-line", "off-line", "unknown"

}  // namespace zt::platform
