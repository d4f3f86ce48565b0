#include "platform/gui/locale_clock.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace zt::platform::gui {
namespace {

TEST(LocaleClockTest, OverridesWinInOrder) {
    ::unsetenv("ZT_CLOCK_HOURS");
    std::u16string from_locale = locale_time_indicator();
    EXPECT_TRUE(from_locale == u"0" || from_locale == u"1");

    ::setenv("ZT_CLOCK_HOURS", "12", 1);
    EXPECT_EQ(locale_time_indicator(), u"0");
    ::setenv("ZT_CLOCK_HOURS", "24", 1);
    EXPECT_EQ(locale_time_indicator(), u"1");
    ::setenv("ZT_CLOCK_HOURS", "nonsense", 1);
    EXPECT_EQ(locale_time_indicator(), from_locale) << "an unknown value is ignored";

    set_locale_time_indicator_override(u"48");
    ::setenv("ZT_CLOCK_HOURS", "24", 1);
    EXPECT_EQ(locale_time_indicator(), u"48");
    set_locale_time_indicator_override(std::nullopt);
    EXPECT_EQ(locale_time_indicator(), u"1");
    ::unsetenv("ZT_CLOCK_HOURS");
}

TEST(LocaleClockTest, TimeTextFollowsTheIndicatorWhateverTheLocale) {
    set_locale_time_indicator_override(u"1");
    EXPECT_EQ(format_locale_time(7, 5), u"07:05");
    EXPECT_EQ(format_locale_time(23, 59), u"23:59");
    set_locale_time_indicator_override(u"0");
    const std::u16string evening = format_locale_time(19, 5);
    EXPECT_EQ(evening.substr(0, 4), u"7:05");
    EXPECT_NE(evening, format_locale_time(7, 5)) << "the AM/PM mark tells them apart";
    EXPECT_EQ(format_locale_time(24, 0), u"") << "not a time";
    set_locale_time_indicator_override(std::nullopt);
}

}  // namespace
}  // namespace zt::platform::gui
