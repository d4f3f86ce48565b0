#include "platform/gui/locale_calendar.h"

#include <QDate>
#include <QLocale>
#include <QString>

#include <mutex>

namespace zt::platform::gui {
namespace {

std::mutex g_lock;
std::optional<CalendarLocale> g_override;

std::u16string to_u16(const QString& text) { return text.toStdU16String(); }

QLocale locale_of(std::u16string_view name) {
    if (name.empty()) return QLocale::system();
    return QLocale(QString::fromUtf16(name.data(), static_cast<qsizetype>(name.size())));
}

CalendarLocale describe(const QLocale& locale, std::u16string name) {
    CalendarLocale described;
    described.long_date_format = to_u16(locale.dateFormat(QLocale::LongFormat));
    described.short_date_format = to_u16(locale.dateFormat(QLocale::ShortFormat));
    // Qt counts Monday = 1 ... Sunday = 7.
    described.first_day_of_week = (static_cast<int>(locale.firstDayOfWeek()) + 6) % 7;
    for (int day = 1; day <= 7; ++day)
        described.short_day_names[static_cast<size_t>(day - 1)] = to_u16(locale.dayName(day, QLocale::ShortFormat));
    described.chinese = locale.language() == QLocale::Chinese;
    described.name = std::move(name);
    return described;
}

}  // namespace

CalendarLocale calendar_locale() {
    {
        std::lock_guard guard(g_lock);
        if (g_override) return *g_override;
    }
    return describe(QLocale::system(), {});
}

CalendarLocale calendar_locale_named(std::u16string_view name) { return describe(locale_of(name), std::u16string(name)); }

void set_calendar_locale_override(std::optional<CalendarLocale> locale) {
    std::lock_guard guard(g_lock);
    g_override = std::move(locale);
}

std::u16string format_locale_date(std::u16string_view picture, int year, int month, int day) {
    const QDate date(year, month, day);
    if (!date.isValid()) return {};
    const QLocale locale = locale_of(calendar_locale().name);
    return to_u16(locale.toString(date, QString::fromUtf16(picture.data(), static_cast<qsizetype>(picture.size()))));
}

std::u16string format_locale_short_date(int year, int month, int day) {
    return format_locale_date(calendar_locale().short_date_format, year, month, day);
}

}  // namespace zt::platform::gui
