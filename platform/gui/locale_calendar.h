#pragma once
// What a month calendar needs of the user's locale, as the handheld's locale reports it: the
// long date format (a date picture of d, dd, ddd, dddd, M, MM, MMM, MMMM, yy, yyyy and quoted
// text), the first day of the week counted from Monday = 0, the abbreviated day names Monday
// to Sunday, and whether the user's primary language is Chinese.
//
// Taken from the user's Qt system locale. A process-local override wins (tests pin a locale
// whatever the machine's).
#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace zt::platform::gui {

struct CalendarLocale {
    std::u16string long_date_format;
    std::u16string short_date_format;
    int first_day_of_week { 0 };  // Monday = 0 ... Sunday = 6
    std::array<std::u16string, 7> short_day_names;  // Monday first
    bool chinese { false };
    // The locale whose month names format_locale_date uses ("de_DE"); empty for the system's.
    std::u16string name;
};

CalendarLocale calendar_locale();
// The locale of that name ("en_US", "zh_CN") as calendar_locale() reports it.
CalendarLocale calendar_locale_named(std::u16string_view name);
// nullopt removes the override.
void set_calendar_locale_override(std::optional<CalendarLocale> locale);

// The date as the picture shows it in the calendar locale's language (month names from it);
// empty for an impossible date.
std::u16string format_locale_date(std::u16string_view picture, int year, int month, int day);
// The date in the calendar locale's short date format.
std::u16string format_locale_short_date(int year, int month, int day);

}  // namespace zt::platform::gui
