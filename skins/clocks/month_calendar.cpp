#include "skins/clocks/month_calendar.h"

#include <algorithm>
#include <string>

#include "platform/base/text.h"
#include "skins/clocks/clock_face.h"
#include "skins/drawing.h"
#include "skins/skin_manager.h"
#include "skins/text_cut.h"

namespace zt::skins {
namespace {

namespace tf = platform::gui::text_format;

bool is_letter(char16_t c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }

// The span of a separator that follows position `from`: everything up to the next letter or
// quoted text.
size_t separator_end(std::u16string_view format, size_t from) {
    while (from < format.size() && !is_letter(format[from]) && format[from] != u'\'') ++from;
    return from;
}

Rgb colour_at(const CImageStrip& strip, int32_t x, int32_t y) { return strip.picture()->colour(x, y); }

}  // namespace

std::u16string date_format_without_day_names(std::u16string_view format) {
    std::u16string out;
    bool quoted = false;
    for (size_t i = 0; i < format.size();) {
        const char16_t c = format[i];
        if (c == u'\'') quoted = !quoted;
        size_t run = 0;
        if (!quoted && c == u'd')
            while (i + run < format.size() && format[i + run] == u'd') ++run;
        if (run < 3) {
            out.push_back(c);
            i += run ? run : 1;
            if (run > 1) out.append(run - 1, u'd');
            continue;
        }
        // A day name: it goes with the separator after it, or, at the end, the one before it.
        const size_t after = separator_end(format, i + run);
        if (after < format.size()) {
            i = after;
        } else {
            while (!out.empty() && !is_letter(out.back()) && out.back() != u'\'') out.pop_back();
            i = format.size();
        }
    }
    return out;
}

int first_day_column(const platform::SYSTEMTIME& today, int first_day_of_week) {
    const int column = (static_cast<int>(today.wDayOfWeek) - first_day_of_week - static_cast<int>(today.wDay)) % 7;
    return column < 0 ? column + 7 : column;
}

int calendar_week_rows(const platform::SYSTEMTIME& today, int first_day_of_week) {
    const int days = platform::days_in_month(today.wYear, today.wMonth);
    return (first_day_column(today, first_day_of_week) + days + 6) / 7;
}

std::array<std::u16string, 7> weekday_header(const platform::gui::CalendarLocale& locale) {
    const bool latin = std::any_of(locale.short_day_names.begin(), locale.short_day_names.end(),
                                   [](const std::u16string& name) { return !name.empty() && name[0] < 128; });
    const bool third_alone = locale.chinese && !latin;
    std::array<std::u16string, 7> header;
    const int first = ((locale.first_day_of_week % 7) + 7) % 7;
    for (int column = 0; column < 7; ++column) {
        const std::u16string& name = locale.short_day_names[static_cast<size_t>((first + column) % 7)];
        auto& cell = header[static_cast<size_t>(column)];
        cell = third_alone ? (name.size() > 2 ? name.substr(2, 1) : std::u16string()) : name.substr(0, 2);
    }
    return header;
}

CalendarMetrics calendar_metrics(int week_rows, bool high_resolution) {
    const bool six = week_rows >= 6;
    return { layout_number(20, high_resolution), layout_number(six ? 13 : 16, high_resolution),
             layout_number(six ? 10 : 12, high_resolution), week_rows };
}

bool CMonthCalendar::load(CSkinManager& skins) {
    m_colours = {};
    m_image.reset();
    CImageStrip strip = skins.load_image_strip(kCalendarImage);
    std::optional<StripPart> background = strip.part(0);
    if (!background) return false;
    const int32_t row = background->start + background->height;
    if (row < strip.picture()->height() && strip.half_width() >= 4) {
        m_colours = { colour_at(strip, 0, row), colour_at(strip, 1, row), colour_at(strip, 2, row),
                      colour_at(strip, 3, row) };
    }
    m_image = std::move(strip);
    return true;
}

void CMonthCalendar::release() {
    m_image.reset();
    m_colours = {};
}

void CMonthCalendar::draw(CPicture& canvas, Point top_left, const platform::SYSTEMTIME& today,
                          const CalendarMetrics& metrics, const platform::gui::CalendarLocale& locale) const {
    TextStyle style { { u"", metrics.font_height, 700 }, m_colours.title, tf::kCenter | tf::kVCenter | tf::kNoPrefix };
    const std::u16string title = platform::gui::format_locale_date(date_format_without_day_names(locale.long_date_format),
                                                                   today.wYear, today.wMonth, today.wDay);
    Rect area { top_left.x, top_left.y, top_left.x + metrics.width(), top_left.y + metrics.height() };
    const int32_t title_width = draw_text_cut_to_width(canvas, title, { 0, 0, 1 << 15, metrics.row_height }, style, false);
    if (title_width > area.width()) {
        const int32_t extra = title_width - area.width();
        area.left = std::max(0, area.left - extra / 2);
        area.right = std::min(canvas.width(), area.right + (extra - extra / 2));
    }
    if (m_image)
        draw_part(canvas, *m_image, 0, 0, 0, top_left.x, top_left.y);
    else
        brighten_rect(canvas, area, 80);

    draw_text_cut_to_width(canvas, title, { area.left, area.top, area.right, area.top + metrics.row_height }, style, true);
    // Centred on its cell, but not clipped to it: a wide weekday name overlaps the gaps.
    const auto cell = [&](int column, int row) {
        const int32_t left = top_left.x + column * metrics.cell_width - metrics.cell_width / 2;
        const int32_t top = top_left.y + row * metrics.row_height;
        return Rect { left, top, left + 2 * metrics.cell_width, top + metrics.row_height };
    };
    const auto draw_in_cell = [&](std::u16string_view text, Rect rect) {
        platform::gui::draw_text({ canvas.bits(), canvas.width(), canvas.height(), canvas.stride() }, style.font, text,
                                 { rect.left, rect.top, rect.right, rect.bottom },
                                 { style.colour.red, style.colour.green, style.colour.blue }, style.format | tf::kSingleLine);
    };
    style.colour = m_colours.weekday;
    const std::array<std::u16string, 7> header = weekday_header(locale);
    for (int column = 0; column < 7; ++column)
        draw_in_cell(header[static_cast<size_t>(column)], cell(column, 1));
    const int days = platform::days_in_month(today.wYear, today.wMonth);
    const int first = first_day_column(today, locale.first_day_of_week);
    for (int day = 1; day <= days; ++day) {
        const int slot = first + day - 1;
        style.colour = day == today.wDay ? m_colours.today : m_colours.day;
        draw_in_cell(platform::to_u16(std::to_string(day)), cell(slot % 7, 2 + slot / 7));
    }
}

}  // namespace zt::skins
