#pragma once
// The command line of zt-alarm, parsed into one request. Parsing is pure: nothing is read from
// the device here, so every mistake is reported before anything changes.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/base/system_time.h"

namespace zt::tools {

enum class AlarmVerb { Help, List, Next, Add, Change, Enable, Disable, Delete, Snooze, Dismiss, Start, Pause, Reset };

struct TimeOfDay {
    uint16_t hour { 0 };
    uint16_t minute { 0 };
    uint16_t second { 0 };
};

struct CalendarDate {
    uint16_t year { 0 };
    uint16_t month { 0 };
    uint16_t day { 0 };
};

struct AlarmRequest {
    AlarmVerb verb { AlarmVerb::Help };
    std::optional<std::string> root;
    int32_t id { 0 };                       // verbs on one record
    std::optional<TimeOfDay> time;          // add (required), change
    std::optional<uint32_t> days;           // bit 0 Monday ... bit 6 Sunday
    std::optional<bool> one_time;           // --once / --repeat
    std::optional<CalendarDate> date;       // one-time date
    std::optional<std::u16string> name;
    std::optional<uint32_t> snooze_minutes; // add/change: the alarm's own; snooze: this time
    bool disabled { false };                // add --disabled
};

struct ParsedCommandLine {
    std::optional<AlarmRequest> request;
    std::string error;  // why there is no request
};

ParsedCommandLine parse_alarm_command_line(const std::vector<std::string>& arguments);

// "Mon-Fri", "Mon,Wed,Sat", "Monday", "all", "weekdays", "weekend", "none", any case.
std::optional<uint32_t> parse_day_set(std::string_view text);
// "HH:MM" or "HH:MM:SS".
std::optional<TimeOfDay> parse_time_of_day(std::string_view text);
// "YYYY-MM-DD", a real date.
std::optional<CalendarDate> parse_date(std::string_view text);

const char* alarm_usage();

}  // namespace zt::tools
