// The week-day picker offscreen: its place, its labels, which day a pen toggles for locales
// that begin the week on different days, and the colours of set and unset days.
#include "app/dialogs/week_day_picker.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QMouseEvent>

#include "platform/gui/screen_metrics.h"
#include "platform/gui/testing/widget_test_app.h"
#include "platform/testing/temp_device_root.h"

namespace zt::app {
namespace {

namespace gui = platform::gui;

class WeekDayPickerTest : public ::testing::Test {
protected:
    void SetUp() override { gui::testing::widget_test_app(); }
    void TearDown() override { gui::set_calendar_locale_override(std::nullopt); }

    static void tap(CWeekDayPicker& picker, int x) {
        const QPointF at(x, picker.height() / 2);
        QMouseEvent press(QEvent::MouseButtonPress, at, picker.mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                          Qt::NoModifier);
        QApplication::sendEvent(&picker, &press);
    }
    // Share of dark pixels in the middle of a cell: a set day is mostly black.
    static double dark_share(CWeekDayPicker& picker, int cell) {
        const QImage image = picker.grab().toImage();
        const QRect area = picker.cell_rect(cell).adjusted(2, 2, -2, -2);
        int dark = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x) dark += qGray(image.pixel(x, y)) < 64;
        return static_cast<double>(dark) / (area.width() * area.height());
    }

    platform::testing::TempDeviceRoot root;  // the default 480 x 640 profile: high resolution
};

TEST_F(WeekDayPickerTest, TakesWholeWeeksOfWidthAndTheFixedHeight) {
    EXPECT_EQ(week_day_picker_rect(QRect(10, 34, 138, 20), true), QRect(10, 34, 137, 40)) << "133 + 4";
    EXPECT_EQ(week_day_picker_rect(QRect(5, 17, 69, 10), false), QRect(5, 17, 65, 20)) << "63 + 2";
    CWeekDayPicker picker(QRect(10, 34, 138, 20), 0, nullptr);
    EXPECT_EQ(picker.geometry(), QRect(10, 34, 137, 40));
    EXPECT_EQ(picker.cell_rect(0), QRect(2, 2, 19, 36));
    EXPECT_EQ(picker.cell_rect(6).right(), picker.width() - 3) << "the last cell reaches the right edge";
    EXPECT_EQ(week_day_cell_at(400, 140), 6) << "past the cells: the nearest";
    EXPECT_EQ(week_day_cell_at(5, 0), 0) << "no width: no division by zero";
}

TEST_F(WeekDayPickerTest, LabelsAreTheFirstCharacterOrTheThirdOfAllChineseNames) {
    const auto english = week_day_labels(gui::calendar_locale_named(u"en_US"));
    EXPECT_EQ(english[0], u"M");
    EXPECT_EQ(english[2], u"W");
    EXPECT_EQ(english[6], u"S");
    const auto chinese = week_day_labels(gui::calendar_locale_named(u"zh_CN"));
    EXPECT_EQ(chinese[0], u"一") << "周一: the character after the week word";
    EXPECT_EQ(chinese[6], u"日");
    gui::CalendarLocale mixed = gui::calendar_locale_named(u"zh_CN");
    mixed.short_day_names[3] = u"Thu";
    EXPECT_EQ(week_day_labels(mixed)[0], u"周") << "one name in ASCII: first characters throughout";
    mixed.short_day_names = { u"\u5468", u"", u"a", u"b", u"c", u"d", u"e" };
    mixed.chinese = true;
    EXPECT_EQ(week_day_labels(mixed)[0], u"\u5468") << "too short: the last character";
    EXPECT_EQ(week_day_labels(mixed)[1], u"");
}

TEST_F(WeekDayPickerTest, TappingWednesdayTogglesBitTwoWhateverTheFirstDay) {
    for (const char16_t* name : { u"de_DE", u"en_US" }) {
        SCOPED_TRACE(QString::fromUtf16(name).toStdString());
        gui::set_calendar_locale_override(gui::calendar_locale_named(name));
        CWeekDayPicker picker(QRect(0, 0, 140, 20), 0x01, nullptr);
        int wednesday = -1;
        for (int cell = 0; cell < 7; ++cell)
            if (week_day_of_cell(cell, picker.first_day_of_week()) == 2) wednesday = cell;
        EXPECT_EQ(wednesday, name == std::u16string_view(u"de_DE") ? 2 : 3);
        EXPECT_EQ(picker.labels()[2], name[0] == u'e' ? u"W" : u"M") << "Wednesday, Mittwoch";
        tap(picker, picker.cell_rect(wednesday).center().x());
        EXPECT_EQ(picker.selection(), 0x05u) << "Wednesday set, Monday kept";
        EXPECT_GT(dark_share(picker, wednesday), 0.7) << "a set day is drawn on black";
        EXPECT_LT(dark_share(picker, (wednesday + 1) % 7), 0.3) << "an unset day on white";
        tap(picker, picker.cell_rect(wednesday).center().x());
        EXPECT_EQ(picker.selection(), 0x01u);
        // The boundary pixel between the Wednesday cell and the next belongs to Wednesday.
        tap(picker, picker.cell_rect(wednesday + 1).left());
        EXPECT_EQ(picker.selection(), 0x05u);
    }
}

}  // namespace
}  // namespace zt::app
