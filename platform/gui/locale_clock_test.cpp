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

}  // namespace
}  // namespace zt::platform::gui
