#pragma once
// The shell's task bar along the top of the screen: the device's local time (in the user's
// 12/24-hour format, refreshed at each minute's turn) and the active program's title, plus
// the shell menu (rotate the screen). Part of the ShellFrame; a program does not make one.
#include <QWidget>

#include <functional>
#include <string>

#include "platform/base/system_time.h"

class QLabel;
class QMenu;
class QTimer;
class QToolButton;

namespace zt::platform::gui {

class TaskBar final : public QWidget {
public:
    using Clock = std::function<SYSTEMTIME()>;
    using Action = std::function<void()>;

    // Without a clock the device's local time (platform/base/clock.h) is shown.
    TaskBar(QWidget* parent, Action on_rotate, Clock clock = {});

    void set_title(std::u16string_view title);
    std::u16string title() const;
    // The time text as shown ("9:05 AM" / "09:05").
    std::u16string time_text() const;
    // Reads the clock again and re-arms the timer for the next minute's turn.
    void refresh_time();
    QMenu& shell_menu() { return *m_menu; }

    // Height for 96 dots per inch; the frame scales it.
    static constexpr int kHeightAt96 = 26;

private:
    Clock m_clock;
    QLabel* m_title { nullptr };
    QLabel* m_time { nullptr };
    QToolButton* m_menu_button { nullptr };
    QMenu* m_menu { nullptr };
    QTimer* m_minute_timer { nullptr };
};

// "h:mm AM"/"h:mm PM" for a 12-hour locale, "HH:mm" for a 24-hour one.
std::u16string format_task_bar_time(const SYSTEMTIME& time, bool twenty_four_hour);

}  // namespace zt::platform::gui
