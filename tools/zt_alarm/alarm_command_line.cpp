#include "tools/zt_alarm/alarm_command_line.h"

#include <array>
#include <charconv>
#include <cstring>

#include "platform/base/text.h"

namespace zt::tools {
namespace {

constexpr std::array<const char*, 7> kDayNames { "monday", "tuesday", "wednesday", "thursday", "friday", "saturday", "sunday" };

std::string lower(std::string_view text) {
    std::string result(text);
    for (char& c : result) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return result;
}

template <class Number>
std::optional<Number> parse_number(std::string_view text, Number low, Number high) {
    Number value {};
    if (text.empty()) return std::nullopt;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < low || value > high) return std::nullopt;
    return value;
}

// A day by its full name or any prefix of at least three letters; 0 = Monday.
std::optional<int> parse_day(std::string_view text) {
    const std::string word = lower(text);
    if (word.size() < 3) return std::nullopt;
    for (size_t day = 0; day < kDayNames.size(); ++day) {
        if (std::string_view(kDayNames[day]).starts_with(word)) return static_cast<int>(day);
    }
    return std::nullopt;
}

std::vector<std::string_view> split(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    for (size_t start = 0;;) {
        const size_t end = text.find(separator, start);
        parts.push_back(text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
        if (end == std::string_view::npos) return parts;
        start = end + 1;
    }
}

std::optional<AlarmVerb> parse_verb(std::string_view word) {
    static const std::array<std::pair<const char*, AlarmVerb>, 13> verbs { {
        { "help", AlarmVerb::Help }, { "list", AlarmVerb::List }, { "next", AlarmVerb::Next },
        { "add", AlarmVerb::Add }, { "change", AlarmVerb::Change }, { "enable", AlarmVerb::Enable },
        { "disable", AlarmVerb::Disable }, { "delete", AlarmVerb::Delete }, { "snooze", AlarmVerb::Snooze },
        { "dismiss", AlarmVerb::Dismiss }, { "start", AlarmVerb::Start }, { "pause", AlarmVerb::Pause },
        { "reset", AlarmVerb::Reset },
    } };
    for (const auto& [name, verb] : verbs) {
        if (word == name) return verb;
    }
    return std::nullopt;
}

bool takes_id(AlarmVerb verb) {
    return verb != AlarmVerb::Help && verb != AlarmVerb::List && verb != AlarmVerb::Next && verb != AlarmVerb::Add;
}

ParsedCommandLine failure(std::string message) {
    return { std::nullopt, std::move(message) };
}

}  // namespace

std::optional<uint32_t> parse_day_set(std::string_view text) {
    const std::string word = lower(text);
    if (word == "all" || word == "daily") return 0x7F;
    if (word == "weekdays") return 0x1F;
    if (word == "weekend") return 0x60;
    if (word == "none") return 0;
    uint32_t days = 0;
    for (std::string_view item : split(text, ',')) {
        const std::vector<std::string_view> range = split(item, '-');
        if (range.size() > 2) return std::nullopt;
        const std::optional<int> first = parse_day(range.front());
        const std::optional<int> last = parse_day(range.back());
        if (!first || !last) return std::nullopt;
        // A range may wrap over the week's end: "Fri-Mon" is Friday to Monday.
        for (int day = *first;; day = (day + 1) % 7) {
            days |= 1u << day;
            if (day == *last) break;
        }
    }
    return days;
}

std::optional<TimeOfDay> parse_time_of_day(std::string_view text) {
    const std::vector<std::string_view> parts = split(text, ':');
    if (parts.size() < 2 || parts.size() > 3) return std::nullopt;
    auto hour = parse_number<uint16_t>(parts[0], 0, 23);
    auto minute = parse_number<uint16_t>(parts[1], 0, 59);
    auto second = parts.size() == 3 ? parse_number<uint16_t>(parts[2], 0, 59) : std::optional<uint16_t>(0);
    if (!hour || !minute || !second || parts[1].size() != 2 || (parts.size() == 3 && parts[2].size() != 2)) return std::nullopt;
    return TimeOfDay { *hour, *minute, *second };
}

std::optional<CalendarDate> parse_date(std::string_view text) {
    const std::vector<std::string_view> parts = split(text, '-');
    if (parts.size() != 3) return std::nullopt;
    auto year = parse_number<uint16_t>(parts[0], 1601, 30827);
    auto month = parse_number<uint16_t>(parts[1], 1, 12);
    auto day = parse_number<uint16_t>(parts[2], 1, 31);
    if (!year || !month || !day || *day > zt::platform::days_in_month(*year, *month)) return std::nullopt;
    return CalendarDate { *year, *month, *day };
}

ParsedCommandLine parse_alarm_command_line(const std::vector<std::string>& arguments) {
    AlarmRequest request;
    size_t next = 0;
    while (next < arguments.size() && arguments[next].starts_with("--")) {
        const std::string& option = arguments[next];
        if (option == "--help") return { AlarmRequest {}, {} };
        if (option != "--root") return failure("unknown option " + option);
        if (next + 1 >= arguments.size()) return failure("--root needs a folder");
        request.root = arguments[next + 1];
        next += 2;
    }
    if (next >= arguments.size()) return failure("no command given");
    const std::optional<AlarmVerb> verb = parse_verb(arguments[next]);
    if (!verb) return failure("unknown command " + arguments[next]);
    request.verb = *verb;
    ++next;

    if (request.verb == AlarmVerb::Add) {
        if (next >= arguments.size()) return failure("add needs a time of day (HH:MM or HH:MM:SS)");
        request.time = parse_time_of_day(arguments[next]);
        if (!request.time) return failure("not a time of day: " + arguments[next]);
        ++next;
    } else if (takes_id(request.verb)) {
        if (next >= arguments.size()) return failure("the command needs a record id");
        const auto id = parse_number<int32_t>(arguments[next], 1, INT32_MAX);
        if (!id) return failure("not a record id: " + arguments[next]);
        request.id = *id;
        ++next;
    }

    const bool edits = request.verb == AlarmVerb::Add || request.verb == AlarmVerb::Change;
    while (next < arguments.size()) {
        const std::string& option = arguments[next];
        const bool has_value = next + 1 < arguments.size();
        const std::string value = has_value ? arguments[next + 1] : std::string();
        if (option == "--help") return { AlarmRequest {}, {} };
        if (edits && option == "--once") {
            request.one_time = true;
            ++next;
            continue;
        }
        if (edits && option == "--repeat") {
            request.one_time = false;
            ++next;
            continue;
        }
        if (request.verb == AlarmVerb::Add && option == "--disabled") {
            request.disabled = true;
            ++next;
            continue;
        }
        if (!has_value) return failure(option + " needs a value, or is not known here");
        if (edits && option == "--days") {
            request.days = parse_day_set(value);
            if (!request.days) return failure("not a set of days: " + value);
        } else if (edits && option == "--date") {
            request.date = parse_date(value);
            if (!request.date) return failure("not a date (YYYY-MM-DD): " + value);
        } else if (edits && option == "--name") {
            request.name = zt::platform::utf8_to_utf16(value);
        } else if (edits && option == "--snooze-minutes") {
            request.snooze_minutes = parse_number<uint32_t>(value, 1, 1440);
            if (!request.snooze_minutes) return failure("snooze minutes must be 1..1440: " + value);
        } else if (request.verb == AlarmVerb::Change && option == "--time") {
            request.time = parse_time_of_day(value);
            if (!request.time) return failure("not a time of day: " + value);
        } else if (request.verb == AlarmVerb::Snooze && option == "--minutes") {
            request.snooze_minutes = parse_number<uint32_t>(value, 1, 1440);
            if (!request.snooze_minutes) return failure("snooze minutes must be 1..1440: " + value);
        } else {
            return failure("unknown option " + option);
        }
        next += 2;
    }
    if (request.date && request.one_time == false) return failure("--date is for one-time alarms");
    if (request.date && !request.one_time) request.one_time = true;
    if (request.days && request.one_time == true) return failure("--days is for repeating alarms");
    return { request, {} };
}

const char* alarm_usage() {
    return "usage: zt-alarm [--root DIR] COMMAND\n"
           "\n"
           "  list                      one line per record: id, alarm|timer, name, time (a timer:\n"
           "                            its interval), state words, next occurrence or -\n"
           "  next                      the earliest due record: ID<TAB>YYYY-MM-DD HH:MM:SS, or none\n"
           "  add HH:MM[:SS] [--days SET] [--once [--date YYYY-MM-DD]] [--name TEXT]\n"
           "                 [--snooze-minutes N] [--disabled]\n"
           "                            adds an alarm (all days unless --days); prints its id\n"
           "  change ID [--time HH:MM[:SS]] [--days SET] [--once|--repeat] [--date YYYY-MM-DD]\n"
           "            [--name TEXT] [--snooze-minutes N]\n"
           "  enable ID | disable ID | delete ID | dismiss ID\n"
           "  snooze ID [--minutes N]   snoozes from now (default: the alarm's snooze minutes)\n"
           "  start ID | pause ID | reset ID\n"
           "                            timers\n"
           "\n"
           "  SET: Mon-Fri, Mon,Wed,Sat, weekdays, weekend, all, none (any case)\n"
           "  Every change is saved, the next due time registered again and the Today item told.\n"
           "  Exit: 0 done, 1 no such record, 2 usage or failure.\n";
}

}  // namespace zt::tools
