#include "platform/gui/task_bar.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QTimer>
#include <QToolButton>

#include "platform/base/clock.h"
#include "platform/gui/locale_clock.h"

namespace zt::platform::gui {
namespace {

QString to_qstring(std::u16string_view text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

std::u16string two_digits(unsigned value) {
    return { static_cast<char16_t>(u'0' + value / 10 % 10), static_cast<char16_t>(u'0' + value % 10) };
}

}  // namespace

std::u16string format_task_bar_time(const SYSTEMTIME& time, bool twenty_four_hour) {
    const unsigned hour = time.wHour % 24;
    const unsigned minute = time.wMinute % 60;
    if (twenty_four_hour) return two_digits(hour) + u":" + two_digits(minute);
    const unsigned twelve = hour % 12 == 0 ? 12 : hour % 12;
    std::u16string text = twelve >= 10 ? two_digits(twelve) : std::u16string(1, static_cast<char16_t>(u'0' + twelve));
    return text + u":" + two_digits(minute) + (hour < 12 ? u" AM" : u" PM");
}

TaskBar::TaskBar(QWidget* parent, Action on_rotate, Clock clock)
    : QWidget(parent), m_clock(clock ? std::move(clock) : Clock([] { return local_time(); })) {
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, QColor(0, 0, 128));
    colours.setColor(QPalette::WindowText, Qt::white);
    colours.setColor(QPalette::ButtonText, Qt::white);
    setPalette(colours);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 0, 4, 0);
    m_menu_button = new QToolButton(this);
    m_menu_button->setText(QStringLiteral("\u2261"));
    m_menu_button->setAutoRaise(true);
    // The shell's bar is no part of the program: the hardware keys stay with the program.
    m_menu_button->setFocusPolicy(Qt::NoFocus);
    m_menu = new QMenu(this);
    QAction* rotate = m_menu->addAction(QStringLiteral("Rotate screen"));
    rotate->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
    connect(rotate, &QAction::triggered, this, [on_rotate = std::move(on_rotate)] {
        if (on_rotate) on_rotate();
    });
    m_menu_button->setMenu(m_menu);
    m_menu_button->setPopupMode(QToolButton::InstantPopup);
    m_title = new QLabel(this);
    m_time = new QLabel(this);
    layout->addWidget(m_menu_button);
    layout->addWidget(m_title, 1);
    layout->addWidget(m_time);

    m_minute_timer = new QTimer(this);
    m_minute_timer->setSingleShot(true);
    connect(m_minute_timer, &QTimer::timeout, this, [this] { refresh_time(); });
    refresh_time();
}

void TaskBar::set_title(std::u16string_view title) { m_title->setText(to_qstring(title)); }

std::u16string TaskBar::title() const { return m_title->text().toStdU16String(); }

std::u16string TaskBar::time_text() const { return m_time->text().toStdU16String(); }

void TaskBar::refresh_time() {
    const SYSTEMTIME now = m_clock();
    m_time->setText(to_qstring(format_task_bar_time(now, locale_time_indicator() == u"1")));
    // Wake just after the minute turns; a clock that jumps is caught at the next turn.
    const int into_minute = (now.wSecond % 60) * 1000 + now.wMilliseconds % 1000;
    m_minute_timer->start(60'000 - into_minute + 50);
}

}  // namespace zt::platform::gui
