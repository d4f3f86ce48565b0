#pragma once
// The device's screen for one GUI program: a top-level widget fixed to the device profile's
// screen size, with the shell's task bar at the top, the soft-key bar at the bottom and the
// program's content between them. Full screen hides both bars and gives the content the whole
// screen.
//
// Guarantees:
//  - The frame's size is the profile's screen size; after rotate() or a WM_SETTINGCHANGE
//    reaching the soft-key bar's window it re-reads the profile and lays out again, then calls
//    the setting-change handler.
//  - Rotation: the task bar's shell menu ("Rotate screen") and Ctrl+R.
//  - The soft-key bar is published as a device window of class "menu_worker" whose rectangle is
//    its screen rectangle (frame origin = screen origin) and which is visible exactly while the
//    bar is shown; it is kept in front of the program's other windows, so window_from_point at
//    the bottom centre finds it while shown and not while hidden.
//  - Key and pen input of the process sets the device's activity event (hardware_keys.h).
//  - The process answers the device's debug bridge (debug_bridge.h).
#include <QWidget>

#include <functional>
#include <memory>
#include <string>

#include "platform/base/system_time.h"
#include "platform/gui/screen_metrics.h"
#include "platform/gui/soft_key_bar.h"
#include "platform/windows/window_info.h"

namespace zt::platform {
class QtMessagePump;
}

namespace zt::platform::gui {

class TaskBar;

inline constexpr char16_t kSoftKeyWindowClass[] = u"menu_worker";

class ShellFrame final : public QWidget {
public:
    using CommandHandler = SoftKeyBar::CommandHandler;
    using SettingChangeHandler = std::function<void(const ScreenMetrics& metrics)>;

    struct Options {
        // The task bar's clock; without one, the device's local time.
        std::function<SYSTEMTIME()> clock;
        // False: no "menu_worker" device window (tests of several frames in one process).
        bool publish_soft_key_window { true };
    };

    // The title is the program's, shown in the task bar. Soft-key commands go to on_command.
    explicit ShellFrame(std::u16string_view title, CommandHandler on_command = {});
    ShellFrame(std::u16string_view title, CommandHandler on_command, Options options);
    ~ShellFrame() override;

    // The program's area; lay out children in it (it has no layout of its own).
    QWidget& content() const { return *m_content; }
    SoftKeyBar& soft_key_bar() const { return *m_soft_keys; }
    TaskBar& task_bar() const { return *m_task_bar; }
    void set_command_handler(CommandHandler on_command);

    void set_title(std::u16string_view title);
    std::u16string title() const;

    ScreenMetrics metrics() const { return m_metrics; }
    int task_bar_height() const;
    int soft_key_bar_height() const;

    void set_full_screen(bool full_screen);
    bool full_screen() const { return m_full_screen; }
    // The soft-key bar alone (full screen hides it anyway).
    void set_soft_key_bar_visible(bool visible);
    bool soft_key_bar_visible() const;

    // Swaps the screen's width and height in the profile and tells every window of the device.
    bool rotate();
    // Re-reads the profile and lays out again; calls the setting-change handler.
    void apply_screen_metrics();
    void on_setting_change(SettingChangeHandler handler);

    // The "menu_worker" device window, 0 when it is not published.
    WindowHandle soft_key_window() const;

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    class SoftKeyWindow;

    void lay_out();
    void publish_soft_key_state();

    ScreenMetrics m_metrics;
    bool m_full_screen { false };
    bool m_soft_keys_wanted { true };
    CommandHandler m_on_command;
    SettingChangeHandler m_on_setting_change;
    TaskBar* m_task_bar { nullptr };
    QWidget* m_content { nullptr };
    SoftKeyBar* m_soft_keys { nullptr };
    std::unique_ptr<SoftKeyWindow> m_soft_key_window;
};

}  // namespace zt::platform::gui
