#pragma once
// The digital clock's month calendar: a title with the date in the user's long date format
// (without the day name), a header of weekday names starting on the locale's first day of
// the week, and the day numbers, today's in its own colour. "Calendar.png" gives the
// background (part 0) and the four colours (the first pixels of the row below part 0: title,
// weekday names, day numbers, today); without it the area is darkened to 80 % and default
// colours are used.
#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "platform/base/system_time.h"
#include "platform/gui/locale_calendar.h"
#include "skins/image_strip.h"
#include "skins/picture.h"

namespace zt::skins {

class CSkinManager;

inline constexpr char16_t kCalendarImage[] = u"Calendar.png";

struct CalendarColours {
    Rgb title { 255, 255, 255 };
    Rgb weekday { 255, 255, 100 };
    Rgb day { 255, 255, 255 };
    Rgb today { 255, 0, 0 };
    bool operator==(const CalendarColours&) const = default;
};

// The long date format with its day-name parts ("dddd", "ddd") and their separator removed:
// "dddd, MMMM d, yyyy" -> "MMMM d, yyyy". Quoted text is kept as it stands.
std::u16string date_format_without_day_names(std::u16string_view format);
// The column (0..6) of day 1 of today's month, with the week starting on `first_day_of_week`
// (Monday = 0).
int first_day_column(const platform::SYSTEMTIME& today, int first_day_of_week);
// Week rows the month needs: 4 to 6.
int calendar_week_rows(const platform::SYSTEMTIME& today, int first_day_of_week);
// The seven header names from the locale's first day of the week: two characters of each
// abbreviated name, or the third alone for Chinese names that do not begin with a Latin letter.
std::array<std::u16string, 7> weekday_header(const platform::gui::CalendarLocale& locale);

// Cell and font sizes: a month of six week rows gets the small rows and font.
struct CalendarMetrics {
    int32_t cell_width { 20 };
    int32_t row_height { 16 };
    int32_t font_height { 12 };
    int week_rows { 5 };
    int32_t width() const { return 7 * cell_width; }
    // The title row, the header row and the weeks.
    int32_t height() const { return (2 + week_rows) * row_height; }
};
CalendarMetrics calendar_metrics(int week_rows, bool high_resolution);

class CMonthCalendar {
public:
    // "Calendar.png" is optional: false only tells that the defaults are used.
    bool load(CSkinManager& skins);
    void release();
    const CalendarColours& colours() const { return m_colours; }
    bool has_image() const { return m_image.has_value(); }

    // Draws the month of `today` with its top-left at `top_left`, the title widened within the
    // canvas when it does not fit the seven cells.
    void draw(CPicture& canvas, Point top_left, const platform::SYSTEMTIME& today, const CalendarMetrics& metrics,
              const platform::gui::CalendarLocale& locale) const;

private:
    std::optional<CImageStrip> m_image;
    CalendarColours m_colours;
};

}  // namespace zt::skins
