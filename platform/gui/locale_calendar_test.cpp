#include "platform/gui/locale_calendar.h"

#include <gtest/gtest.h>

namespace zt::platform::gui {
namespace {

TEST(LocaleCalendarTest, NamedLocalesReportTheirWeekAndFormatTheirMonths) {
    const CalendarLocale us = calendar_locale_named(u"en_US");
    EXPECT_EQ(us.first_day_of_week, 6) << "Sunday, counted from Monday = 0";
    EXPECT_EQ(us.short_day_names[0].substr(0, 2), u"Mo");
    EXPECT_EQ(us.short_day_names[6].substr(0, 2), u"Su");
    EXPECT_NE(us.long_date_format.find(u"MMMM"), std::u16string::npos);
    EXPECT_FALSE(us.chinese);
    const CalendarLocale german = calendar_locale_named(u"de_DE");
    EXPECT_EQ(german.first_day_of_week, 0);
    EXPECT_TRUE(calendar_locale_named(u"zh_CN").chinese);

    set_calendar_locale_override(german);
    EXPECT_EQ(calendar_locale().first_day_of_week, 0);
    EXPECT_EQ(format_locale_date(u"d. MMMM yyyy", 2026, 3, 1), u"1. März 2026");
    EXPECT_EQ(format_locale_date(u"d MMMM", 2026, 2, 30), u"") << "an impossible date";
    set_calendar_locale_override(us);
    EXPECT_EQ(format_locale_date(u"MMMM d, yyyy", 2026, 12, 8), u"December 8, 2026");
    EXPECT_EQ(format_locale_short_date(2026, 12, 8), u"12/8/26");
    set_calendar_locale_override(german);
    EXPECT_EQ(format_locale_short_date(2026, 12, 8), u"08.12.26");
    set_calendar_locale_override(std::nullopt);
}

}  // namespace
}  // namespace zt::platform::gui
