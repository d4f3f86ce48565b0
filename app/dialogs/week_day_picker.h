#pragma once
// The week days of a repeating alarm as seven cells in one row, each day's one-letter label
// from the user's locale, beginning with the locale's first day of the week. A set day is
// white on black. The pen toggles the day under it.
//
// The selection is the alarm's day bits: bit 0 Monday ... bit 6 Sunday, whatever day the row
// begins with.
#include <QRect>
#include <QWidget>

#include <array>
#include <cstdint>
#include <string>

#include "platform/gui/locale_calendar.h"

namespace zt::app {

inline constexpr char16_t kWeekDayPickerClass[] = u"Week days picker";

// The labels Monday first: each abbreviated name's first character, or its third when the
// language is Chinese and every name begins beyond ASCII (the first two are the same "week"
// word there). A name too short for that gives its last character; an empty one nothing.
std::array<std::u16string, 7> week_day_labels(const platform::gui::CalendarLocale& locale);

// The picker's place from the placeholder's: the width rounded down to whole weeks of pixels
// plus room for the border, a fixed height.
QRect week_day_picker_rect(const QRect& placeholder, bool high_resolution);

// The cell under client x of a client width split into 7 (the last cell takes the rest); a
// pen exactly on a boundary belongs to the cell on its left. Outside the width: the nearest.
int week_day_cell_at(int x, int client_width);
// The day (0 Monday ... 6 Sunday) shown in the cell.
inline int week_day_of_cell(int cell, int first_day_of_week) { return (cell + first_day_of_week) % 7; }

class CWeekDayPicker final : public QWidget {
public:
    // Placed at week_day_picker_rect(placeholder) with the device screen's resolution, labels
    // and first day from the user's locale.
    CWeekDayPicker(const QRect& placeholder, uint32_t selection, QWidget* parent);

    uint32_t selection() const { return m_selection; }
    void set_selection(uint32_t selection);
    int first_day_of_week() const { return m_first_day; }
    const std::array<std::u16string, 7>& labels() const { return m_labels; }
    // The cell's rectangle in widget coordinates.
    QRect cell_rect(int cell) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    QRect client_rect() const;

    int m_border { 2 };
    int m_first_day { 0 };
    uint32_t m_selection { 0 };
    std::array<std::u16string, 7> m_labels;
};

}  // namespace zt::app
