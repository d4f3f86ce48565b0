#include "skins/clocks/month_calendar.h"

#include <gtest/gtest.h>

#include "platform/gui/testing/gui_test_app.h"
#include "skins/testing/test_images.h"

namespace zt::skins {
namespace {

platform::SYSTEMTIME day(int year, int month, int day_of_month, int day_of_week) {
    return { static_cast<uint16_t>(year), static_cast<uint16_t>(month), static_cast<uint16_t>(day_of_week),
             static_cast<uint16_t>(day_of_month), 12, 0, 0, 0 };
}

TEST(MonthCalendar, TitleFormatLosesItsDayNamesAndTheirSeparators) {
    EXPECT_EQ(date_format_without_day_names(u"dddd, MMMM d, yyyy"), u"MMMM d, yyyy");
    EXPECT_EQ(date_format_without_day_names(u"dddd, d. MMMM yyyy"), u"d. MMMM yyyy");
    EXPECT_EQ(date_format_without_day_names(u"d MMMM yyyy 'г.', ddd"), u"d MMMM yyyy 'г.'") << "a day name at the end";
    EXPECT_EQ(date_format_without_day_names(u"yyyy'年'M'月'd'日' dddd"), u"yyyy'年'M'月'd'日'");
    EXPECT_EQ(date_format_without_day_names(u"dd/MM/yyyy"), u"dd/MM/yyyy") << "day numbers stay";
    EXPECT_EQ(date_format_without_day_names(u"'dddd' d"), u"'dddd' d") << "quoted text stays";
}

TEST(MonthCalendar, FirstDayOfTheWeekShiftsDayOneAndTheRows) {
    // 8 December 2026 is a Tuesday; the 1st is a Tuesday too.
    const platform::SYSTEMTIME december = day(2026, 12, 8, 2);
    EXPECT_EQ(first_day_column(december, 6), 2) << "weeks from Sunday";
    EXPECT_EQ(first_day_column(december, 0), 1) << "weeks from Monday";
    EXPECT_EQ(calendar_week_rows(december, 0), 5);
    // August 2026 starts on a Saturday: six rows from Monday, and the smaller cells and font.
    const platform::SYSTEMTIME august = day(2026, 8, 31, 1);
    EXPECT_EQ(first_day_column(august, 0), 5);
    EXPECT_EQ(calendar_week_rows(august, 0), 6);
    const CalendarMetrics six = calendar_metrics(6, false);
    EXPECT_EQ(six.row_height, 13);
    EXPECT_EQ(six.font_height, 10);
    const CalendarMetrics five = calendar_metrics(5, true);
    EXPECT_EQ(five.row_height, 32);
    EXPECT_EQ(five.font_height, 24);
    EXPECT_EQ(five.width(), 280);
}

TEST(MonthCalendar, HeaderStartsOnTheFirstDayWithTwoCharactersOrTheChineseThird) {
    platform::gui::CalendarLocale locale;
    locale.short_day_names = { u"Mon", u"Tue", u"Wed", u"Thu", u"Fri", u"Sat", u"Sun" };
    locale.first_day_of_week = 6;
    const auto header = weekday_header(locale);
    EXPECT_EQ(header[0], u"Su");
    EXPECT_EQ(header[1], u"Mo");
    locale.chinese = true;
    EXPECT_EQ(weekday_header(locale)[0], u"Su") << "Latin names keep two characters";
    locale.short_day_names = { u"星期一", u"星期二", u"星期三", u"星期四", u"星期五", u"星期六", u"星期日" };
    locale.first_day_of_week = 13;  // taken modulo 7: Sunday
    EXPECT_EQ(weekday_header(locale)[0], u"日");
    EXPECT_EQ(weekday_header(locale)[6], u"六");
}

TEST(MonthCalendar, WithoutAnImageTheAreaIsDarkenedAndTodayStandsOut) {
    platform::gui::testing::gui_test_app();
    CPicture canvas = testing::solid_picture(240, 200, { 200, 200, 200 });
    CMonthCalendar calendar;
    const platform::gui::CalendarLocale locale = platform::gui::calendar_locale_named(u"en_US");
    const platform::SYSTEMTIME today = day(2026, 12, 8, 2);
    const CalendarMetrics metrics = calendar_metrics(calendar_week_rows(today, locale.first_day_of_week), false);
    calendar.draw(canvas, { 50, 20 }, today, metrics, locale);
    EXPECT_EQ(canvas.colour(50, 20 + metrics.height() - 1), (Rgb { 160, 160, 160 })) << "80 % of the background";
    EXPECT_EQ(canvas.colour(49, 20), (Rgb { 200, 200, 200 }));
    // Today (column 2 of the second week row) is the only cell with red in it.
    const auto reddish_in = [&](int column, int row) {
        int count = 0;
        for (int32_t y = 20 + row * metrics.row_height; y < 20 + (row + 1) * metrics.row_height; ++y)
            for (int32_t x = 50 + column * 20; x < 50 + (column + 1) * 20; ++x) {
                const Rgb c = canvas.colour(x, y);
                count += c.red > 180 && c.green < 120;
            }
        return count;
    };
    EXPECT_GT(reddish_in(2, 3), 3) << "the 8th";
    EXPECT_EQ(reddish_in(1, 3), 0) << "the 7th";
    EXPECT_EQ(reddish_in(2, 2), 0) << "the 1st";
}

}  // namespace
}  // namespace zt::skins
