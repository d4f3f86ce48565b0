#include "platform/gui/locale_clock.h"

#include <QLocale>
#include <QRegularExpression>
#include <QTime>
#include <QString>

#include <cstdlib>
#include <cstring>
#include <mutex>

namespace zt::platform::gui {
namespace {

std::mutex g_lock;
std::optional<std::u16string> g_override;

bool format_is_twelve_hour(const QString& format) {
    if (format.contains(QLatin1String("ap"), Qt::CaseInsensitive)) return true;
    return format.contains(QLatin1Char('h')) && !format.contains(QLatin1Char('H'));
}

}  // namespace

std::u16string locale_time_indicator() {
    {
        std::lock_guard guard(g_lock);
        if (g_override) return *g_override;
    }
    if (const char* hours = std::getenv("ZT_CLOCK_HOURS")) {
        if (std::strcmp(hours, "12") == 0) return u"0";
        if (std::strcmp(hours, "24") == 0) return u"1";
    }
    return format_is_twelve_hour(QLocale::system().timeFormat(QLocale::ShortFormat)) ? u"0" : u"1";
}

std::u16string format_locale_time(int hour, int minute) {
    const QTime time(hour, minute);
    if (!time.isValid()) return {};
    const QLocale locale = QLocale::system();
    QString format = locale.timeFormat(QLocale::ShortFormat);
    // Some locales' short form still carries seconds or a zone name; a clock of minutes shows
    // neither.
    static const QRegularExpression seconds_and_zone(QStringLiteral("[.:,]?s{1,2}|\\s*t+"));
    format.remove(seconds_and_zone);
    const bool twelve_hour = locale_time_indicator() == u"0";
    // The indicator may be overridden against the locale: its own clock form then wins.
    if (format_is_twelve_hour(format) != twelve_hour) format = twelve_hour ? QStringLiteral("h:mm AP") : QStringLiteral("HH:mm");
    return locale.toString(time, format).toStdU16String();
}

void set_locale_time_indicator_override(std::optional<std::u16string> indicator) {
    std::lock_guard guard(g_lock);
    g_override = std::move(indicator);
}

}  // namespace zt::platform::gui
