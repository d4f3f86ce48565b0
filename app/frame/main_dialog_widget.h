#pragma once
// CMainDialog: the main program's dialog inside the device screen. It owns the six screens,
// the toolbar and background of the current skin, the screen sets, the refresh timer (100) and
// the full-screen watch (107), and reacts to what the anchor window hands on.
//
// Start-up runs it through run_main_dialog (main_dialog.h); tests make one directly on a
// ShellFrame of their own and drive it.
#include <QImage>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "app/frame/main_dialog.h"
#include "app/frame/screen.h"
#include "app/frame/screen_sets.h"
#include "app/frame/toolbar_layout.h"
#include "skins/image_strip.h"
#include "skins/picture.h"

namespace zt::platform {
class QtMessagePump;
}
namespace zt::platform::gui {
class HardwareKeys;
class ShellFrame;
class WindowTimers;
}  // namespace zt::platform::gui

namespace zt::app {

inline constexpr char16_t kMainDialogClass[] = u"Dialog";
inline constexpr char16_t kProgramTitle[] = u"Zun Time";
inline constexpr char16_t kErrorLoadingSkin[] = u"Error loading the skin!";
// The main dialog's dialog resource: its control id for the device's tools.
inline constexpr int32_t kMainDialogResource = 179;

// The dialog's own messages.
inline constexpr uint32_t kRelayoutMessage = 0x0401;
inline constexpr uint32_t kToolbarCommandMessage = 0x0465;
inline constexpr uint32_t kFullScreenMessage = 0x0466;

inline constexpr uint32_t kRefreshTimer = 100;
inline constexpr uint32_t kFullScreenWatchTimer = 107;
inline constexpr uint32_t kFullScreenWatchPeriodMs = 100;

// Button-mapping actions the dialog handles itself; -1 is no action.
inline constexpr int kNoAction = -1;
inline constexpr int kToggleFullScreenAction = 4;

// The soft-key command that opens the options (toolbar command type 2).
inline constexpr uint32_t kOptionsSoftKeyCommand = 0x0465;

class CMainDialog final : public QWidget, public MainDialogPort {
public:
    // Translates a key (device key code) into a button-mapping action, kNoAction for none.
    using KeyActionHook = std::function<int(uint32_t key_code)>;
    // Closes the alarm control of a clock screen before an item command changes its alarms.
    using AlarmControlHook = std::function<void(CScreen& clock_screen)>;
    using EndHandler = std::function<void(MainDialogEnd end)>;

    CMainDialog(const CommandLine& line, const MainDialogEnvironment& environment, platform::gui::ShellFrame& frame);
    ~CMainDialog() override;

    // Initialisation steps 1-6. On failure the end handler has been told why, and nullopt
    // is returned after nothing more than the dialog's own cleanup.
    bool initialise();
    void on_end(EndHandler handler) { m_on_end = std::move(handler); }
    std::optional<MainDialogEnd> end() const { return m_end; }

    void set_key_action_hook(KeyActionHook hook) { m_key_action = std::move(hook); }
    void set_alarm_control_hook(AlarmControlHook hook) { m_close_alarm_control = std::move(hook); }

    // MainDialogPort.
    void second_instance_line(std::u16string_view line) override;
    void bring_forward() override;
    void end_screensaver() override;
    void item_command(int32_t item_id, uint16_t command, uint16_t argument) override;
    void setting_changed() override;
    void close_and_quit() override;

    // A hardware key's release (device key code); true when the dialog used it.
    bool handle_key(uint32_t key_code);
    // A message of the dialog's own (0x0401, 0x0465, 0x0466, WM_SETTINGCHANGE).
    void handle_message(uint32_t number, uint32_t wparam, uint32_t lparam);
    // A pen press on the dialog (dialog coordinates).
    void press_at(int x, int y);

    // What tests and the options sheet look at.
    ScreenSets& screen_sets() { return m_sets; }
    CScreen* active_screen() const { return m_active; }
    CScreen* screen(ScreenNumber number) const;
    bool full_screen() const { return m_full_screen; }
    bool screensaver_running() const { return m_screensaver; }
    bool initialised() const { return m_initialised; }
    const DialogLayout& dialog_layout() const { return m_layout; }
    const skins::CPicture* backdrop() const { return m_backdrop ? &*m_backdrop : nullptr; }
    platform::gui::WindowTimers& timers() { return *m_timers; }
    platform::QtMessagePump* pump() const { return m_pump.get(); }

    // After the options sheet closed: settings read again, the skin reloaded when the screen
    // turned meanwhile.
    void options_closed(bool landscape_before);

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    bool load_dialog_images();
    std::shared_ptr<const skins::CPicture> screens_background(bool landscape);
    bool reload_all_images();
    bool load_active_skin();
    void activate_set(uint32_t set);
    void switch_to_position(uint32_t position);
    void switch_to_screen(ScreenNumber number);
    // Runs timer 100 with the active screen's period while that screen needs refreshing.
    void restart_refresh_timer();
    void lay_out();
    void redraw_backdrop();
    void apply_full_screen();
    void watch_full_screen();
    void on_timer(uint32_t id);
    void toolbar_command(uint32_t type, uint32_t data);
    void post_to_self(uint32_t number, uint32_t wparam = 0, uint32_t lparam = 0);
    void open_options(int page);
    void start_screensaver();
    void check_orientation();
    void skin_refused();
    void finish(MainDialogEnd end);
    void tear_down();
    void save_screenshot_once();

    CommandLine m_line;
    core::CSettingsBag& m_settings;
    core::CTimeStore& m_store;
    skins::CSkinManager& m_skins;
    platform::gui::ShellFrame& m_frame;
    ScreenFactory m_make_screens;
    ScreenSets m_sets;

    std::vector<std::unique_ptr<CScreen>> m_screens;
    CScreen* m_active { nullptr };
    std::optional<skins::CImageStrip> m_toolbar;
    std::shared_ptr<const skins::CPicture> m_background;
    // The background the screens share: the dialog's own until the screens release their
    // images (the dialog went to the back), then loaded again by the first screen to ask.
    std::shared_ptr<const skins::CPicture> m_screens_background;
    std::optional<skins::CPicture> m_backdrop;  // background and toolbar as the dialog shows them
    QImage m_backdrop_shown;                     // m_backdrop as painted, made once per redraw
    bool m_backdrop_stale { true };              // the images or layout under it changed since it was drawn
    int m_backdrop_button { 0 };                 // the selected toolbar button it shows
    bool m_skin_loaded { false };
    DialogLayout m_layout;
    bool m_landscape { false };

    std::unique_ptr<platform::gui::WindowTimers> m_timers;
    std::unique_ptr<platform::QtMessagePump> m_pump;
    platform::gui::HardwareKeys* m_keys { nullptr };
    KeyActionHook m_key_action;
    AlarmControlHook m_close_alarm_control;
    EndHandler m_on_end;

    bool m_initialised { false };
    bool m_full_screen { false };
    bool m_soft_key_bar_seen { false };
    bool m_screensaver { false };
    bool m_showing_skin_error { false };
    bool m_torn_down { false };
    bool m_screenshot_pending { false };
    std::optional<MainDialogEnd> m_end;
};

}  // namespace zt::app
