#pragma once
// CMainController: the main dialog's rules, kept apart from its widget. It owns the screen sets
// and the screens' switching, full screen and its watch, keys and the action hook, the toolbar
// and the dialog's own messages, the refresh timer, item commands and what the anchor window
// hands on, the screensaver, and the end of the dialog. The window is reached through MainView
// only, so tests drive the controller with a fake view and plain screens.
#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>
#include <vector>

#include "app/model/main_dialog_port.h"
#include "app/model/main_screen.h"
#include "app/model/main_view.h"
#include "app/model/screen_sets.h"
#include "app/model/slide_show.h"
#include "app/model/start_mode.h"

namespace zt::core {
class CSettingsBag;
class CTimeStore;
}  // namespace zt::core

namespace zt::app {

inline constexpr char16_t kErrorLoadingSkin[] = u"Error loading the skin!";

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

// How the main dialog ended; run_main_dialog returns it as the exit code.
enum class MainDialogEnd : int {
    Closed = 0,          // the user or WM_CLOSE ended it
    SkinFailed = 1,      // the active skin could not be loaded, or no screen could show it
    CreateFailed = 2,    // a screen or the device window could not be made
};

class CMainController final : public MainDialogPort {
public:
    // Translates a key (device key code) into a button-mapping action, kNoAction for none.
    using KeyActionHook = std::function<int(uint32_t key_code)>;
    // Closes the alarm control of a clock screen before an item command changes its alarms.
    using AlarmControlHook = std::function<void(MainScreen& clock_screen)>;
    using EndHandler = std::function<void(MainDialogEnd end)>;

    // The settings must have the main program's values registered and loaded.
    CMainController(const CommandLine& line, core::CSettingsBag& settings, core::CTimeStore& store, MainView& view);
    CMainController(const CMainController&) = delete;
    CMainController& operator=(const CMainController&) = delete;

    // Makes the window and the screens, loads the skin and shows the first screen. False when
    // the dialog ended on the way; the end handler has been told why.
    bool initialise();
    // Stops the timers, drops the screens and saves what the dialog keeps; the view calls it
    // before it goes away. Runs once.
    void tear_down();
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
    // A message of the dialog's own (0x0401, 0x0465, 0x0466, WM_SETTINGCHANGE, WM_ACTIVATE).
    void handle_message(uint32_t number, uint32_t wparam, uint32_t lparam);
    // A pen press on a toolbar slot.
    void slot_pressed(ToolBarSlot slot);
    // A command of the soft-key bar.
    void soft_key_command(uint32_t command);
    void timer_fired(uint32_t id);
    // The dialog went to the back, or came to the front again.
    void deactivated();
    void activated();
    // The frame's size changed.
    void resized();
    // The screen may have turned.
    void check_orientation();
    // After the options sheet closed: settings read again, the skin reloaded when the screen
    // turned meanwhile.
    void options_closed(bool landscape_before);

    // The user chose a skin in the options: it is stored as "ActiveSkin", loaded with
    // verification and shown at once. A skin that cannot be loaded leaves the one the skin
    // manager ended with (the default skin after a failed verification, else the one before),
    // and "ActiveSkin" names that one.
    void choose_skin(std::u16string_view name);

    ScreenSets& screen_sets() { return m_sets; }
    MainScreen* active_screen() const { return m_active; }
    MainScreen* screen(ScreenNumber number) const;
    bool full_screen() const { return m_full_screen; }
    bool screensaver_running() const { return m_screensaver; }
    // What the screens draw behind their content while the slide show runs (nullptr otherwise),
    // and the opacity (0..256) of that content over it.
    const skins::CPicture* slide_show_picture() const { return m_slide_show.picture(); }
    int32_t clock_opacity() const { return m_clock_opacity; }
    CSlideShow& slide_show() { return m_slide_show; }
    bool initialised() const { return m_initialised; }
    bool landscape() const { return m_landscape; }

private:
    bool create_screens();
    bool load_active_skin();
    bool reload_all_images();
    void show_first_screen();
    void activate_set(uint32_t set);
    void switch_to_position(uint32_t position);
    void switch_to_screen(ScreenNumber number);
    // Runs the refresh timer with the active screen's period while that screen needs refreshing.
    void restart_refresh_timer();
    void lay_out();
    void draw_toolbar();
    void set_full_screen(bool full_screen);
    void apply_full_screen();
    void watch_full_screen();
    void toolbar_command(uint32_t type, uint32_t data);
    void open_options(int page);
    // The active screen's button profile, and the buttons it binds taken from the shell.
    void select_button_profile();
    void start_screensaver();
    // The refresh timer's work: the slide show and the active screen move on; true when the
    // screen must be drawn again.
    bool refresh_tick();
    void skin_refused();
    void finish(MainDialogEnd end);

    CommandLine m_line;
    core::CSettingsBag& m_settings;
    core::CTimeStore& m_store;
    MainView& m_view;
    ScreenSets m_sets;

    std::vector<MainScreen*> m_screens;
    MainScreen* m_active { nullptr };
    KeyActionHook m_key_action;
    AlarmControlHook m_close_alarm_control;
    EndHandler m_on_end;

    bool m_landscape { false };
    bool m_skin_loaded { false };
    bool m_initialised { false };
    bool m_full_screen { false };
    bool m_soft_key_bar_seen { false };
    bool m_screensaver { false };
    bool m_showing_skin_error { false };
    bool m_torn_down { false };
    std::optional<MainDialogEnd> m_end;

    CSlideShow m_slide_show;
    std::optional<skins::CPicture> m_slide_target;
    int32_t m_clock_opacity { 256 };
};

}  // namespace zt::app
