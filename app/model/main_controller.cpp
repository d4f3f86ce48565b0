// The main dialog's own workings: its start, the screens and their refresh timer, the layout,
// full screen and its watch, keys, the toolbar and the dialog's messages, and its end.
#include "app/model/main_controller.h"

#include "app/model/button_mappings.h"
#include "app/model/screensaver_settings.h"
#include "core/settings_bag.h"
#include "core/time_store.h"
#include "platform/gui/key_codes.h"
#include "platform/gui/window_placement.h"

namespace zt::app {

CMainController::CMainController(const CommandLine& line, core::CSettingsBag& settings, core::CTimeStore& store,
                                 MainView& view)
    : m_line(line),
      m_settings(settings),
      m_store(store),
      m_view(view),
      m_sets(settings),
      m_key_action([](uint32_t key) { return CButtonMappings::instance().action_for_key(key); }),
      m_close_alarm_control([](MainScreen&) {}) {}

MainScreen* CMainController::screen(ScreenNumber number) const {
    for (MainScreen* screen : m_screens)
        if (screen->number() == number) return screen;
    return nullptr;
}

bool CMainController::initialise() {
    m_view.create_window();
    m_sets.initialise(m_line.mode);
    CButtonMappings::instance().load();
    // A skin without its own images still shows the default skin's, so a failure here is only
    // final once the skin itself is loaded (its verification loads everything again).
    m_landscape = m_view.metrics().landscape();
    m_view.load_images(m_landscape);
    if (!create_screens()) {
        finish(MainDialogEnd::CreateFailed);
        return false;
    }
    lay_out();
    m_view.show_dialog();
    if (!load_active_skin()) {
        finish(MainDialogEnd::SkinFailed);
        return false;
    }
    m_skin_loaded = true;
    show_first_screen();
    if (m_end) return false;
    m_initialised = true;
    return true;
}

bool CMainController::create_screens() {
    m_screens = m_view.create_screens();
    if (m_screens.empty()) return false;
    for (MainScreen* screen : m_screens) {
        screen->on_refresh_needs_changed([this, screen] {
            if (screen == m_active && !m_end) restart_refresh_timer();
        });
    }
    return true;
}

bool CMainController::load_active_skin() {
    return m_view.load_skin(m_settings.text(kActiveSkinValue), [this] { return reload_all_images(); });
}

bool CMainController::reload_all_images() {
    bool all = m_view.load_images(m_landscape);
    for (MainScreen* screen : m_screens) all = screen->reload_images() && all;
    lay_out();
    return all;
}

void CMainController::show_first_screen() {
    if (m_line.mode == StartMode::ScreenSaver) {
        start_screensaver();
        // Started only to be the screensaver: when it may not run, the program has nothing to do.
        if (!m_screensaver) finish(MainDialogEnd::Closed);
        return;
    }
    activate_set(m_sets.active_set());
    if (m_end) return;
    apply_full_screen();
    m_view.post(kRelayoutMessage, 0, 0);
}

void CMainController::activate_set(uint32_t set) { switch_to_position(m_sets.activate_set(set)); }

void CMainController::switch_to_position(uint32_t position) {
    draw_toolbar();
    // Position 6 has no screen: the dialog keeps what it shows.
    if (std::optional<ScreenNumber> number = screen_of_position(position)) switch_to_screen(*number);
}

void CMainController::switch_to_screen(ScreenNumber number) {
    MainScreen* next = screen(number);
    if (!next) return;
    if (!next->active() && !next->activate()) {
        skin_refused();
        return;
    }
    if (m_active && m_active != next) {
        m_view.kill_timer(kRefreshTimer);
        m_active->deactivate();
        m_active->set_shown(false);
    }
    m_active = next;
    select_button_profile();
    restart_refresh_timer();
    m_active->tick();
    m_active->redraw();
    m_active->set_shown(true);
    m_view.screen_shown();
}

void CMainController::restart_refresh_timer() {
    m_view.kill_timer(kRefreshTimer);
    if (m_active && m_slide_show.running())
        m_view.set_timer(kRefreshTimer, kSlideShowFramePeriodMs);
    else if (m_active && m_active->refresh_period_ms() != 0 && m_active->needs_refresh())
        m_view.set_timer(kRefreshTimer, m_active->refresh_period_ms());
}

void CMainController::skin_refused() {
    if (m_active) return;
    if (m_line.mode == StartMode::ScreenSaver) return;
    // The box runs its own event loop: a second refusal meanwhile must not stack another.
    if (!m_showing_skin_error) {
        m_showing_skin_error = true;
        m_view.show_error(kErrorLoadingSkin);
        m_showing_skin_error = false;
    }
    finish(MainDialogEnd::SkinFailed);
}

void CMainController::lay_out() {
    const skins::Rect area = m_view.lay_out(m_landscape);
    const platform::gui::ScreenMetrics metrics = m_view.metrics();
    const ScreenLayout layout { area, m_landscape, metrics.high_resolution(), m_full_screen || m_screensaver,
                                metrics.square() };
    for (MainScreen* screen : m_screens) screen->set_layout(layout);
    draw_toolbar();
    if (m_active) select_button_profile();
}

void CMainController::select_button_profile() {
    CButtonMappings& mappings = CButtonMappings::instance();
    mappings.select_for_screen(static_cast<uint32_t>(m_active->number()));
    m_view.capture_buttons([&mappings](uint32_t key) { return mappings.is_key_mapped(key); });
}

void CMainController::draw_toolbar() {
    // Nothing is shown before the skin is loaded (the event loop has not run yet).
    if (m_skin_loaded) m_view.draw_toolbar(m_sets.selected_button());
}

void CMainController::set_full_screen(bool full_screen) {
    m_full_screen = full_screen;
    apply_full_screen();
}

void CMainController::apply_full_screen() {
    // The screensaver fills the screen whatever the user chose; leaving it restores that choice.
    const bool full_screen = m_full_screen || m_screensaver;
    m_view.set_full_screen(full_screen);
    if (m_screensaver) m_view.bring_to_front();
    if (full_screen) {
        m_view.set_timer(kFullScreenWatchTimer, kFullScreenWatchPeriodMs);
    } else {
        m_view.kill_timer(kFullScreenWatchTimer);
    }
    lay_out();
}

void CMainController::watch_full_screen() {
    // The shell brings its soft-key bar back now and then (a menu, another program's bar):
    // while full screen is wanted it is hidden again.
    if (m_view.soft_key_bar_shown()) {
        m_soft_key_bar_seen = true;
        apply_full_screen();
    } else if (!m_soft_key_bar_seen) {
        m_view.kill_timer(kFullScreenWatchTimer);
    }
}

bool CMainController::handle_key(uint32_t key_code) {
    if (m_end || !m_initialised) return false;
    namespace keys = platform::gui;
    if (m_view.metrics().square()) {
        switch (key_code) {
            case keys::VK_RETURN:
                open_options(0);
                return true;
            case keys::VK_LEFT:
            case keys::VK_RIGHT:
                m_sets.move_selection(key_code == keys::VK_LEFT ? -1 : 1);
                draw_toolbar();
                return true;
            case keys::VK_UP:
            case keys::VK_DOWN:
                if (m_full_screen) set_full_screen(false);
                toolbar_command(static_cast<uint32_t>(ToolbarCommandType::SwitchPosition),
                                ScreenSets::switch_data(m_sets.selected_position()));
                return true;
            default:
                break;
        }
    }
    const int action = m_key_action(key_code);
    if (action == kNoAction) return false;
    if (action == kToggleFullScreenAction) {
        set_full_screen(!m_full_screen);
        return true;
    }
    return m_active && m_active->handle_action(action);
}

void CMainController::handle_message(uint32_t number, uint32_t wparam, uint32_t lparam) {
    if (m_end) return;
    switch (number) {
        case kRelayoutMessage:
            lay_out();
            restart_refresh_timer();
            break;
        case kToolbarCommandMessage:
            toolbar_command(wparam, lparam);
            break;
        case kFullScreenMessage:
            set_full_screen(wparam != 0);
            break;
        case platform::gui::WM_SETTINGCHANGE:
            setting_changed();
            break;
        case platform::gui::WM_ACTIVATE:
            // Another program (Ringout hiding its window) gives the front back this way: the
            // device raises only a program's own windows.
            if ((wparam & 0xFFFF) != 0) bring_forward();
            break;
        default:
            break;
    }
}

void CMainController::slot_pressed(ToolBarSlot slot) {
    switch (slot) {
        case ToolBarSlot::SetSwitch:
            m_view.post(kToolbarCommandMessage, static_cast<uint32_t>(ToolbarCommandType::OtherSet), 0);
            break;
        case ToolBarSlot::Options:
            m_view.post(kToolbarCommandMessage, static_cast<uint32_t>(ToolbarCommandType::Options), 0);
            break;
        case ToolBarSlot::Button1:
        case ToolBarSlot::Button2:
        case ToolBarSlot::Button3: {
            const uint32_t position = positions_of_set(m_sets.active_set())[static_cast<size_t>(slot) - 1];
            m_view.post(kToolbarCommandMessage, static_cast<uint32_t>(ToolbarCommandType::SwitchPosition),
                        ScreenSets::switch_data(position));
            break;
        }
    }
}

void CMainController::soft_key_command(uint32_t command) {
    if (command == kOptionsSoftKeyCommand)
        m_view.post(kToolbarCommandMessage, static_cast<uint32_t>(ToolbarCommandType::Options), 0);
}

void CMainController::toolbar_command(uint32_t type, uint32_t data) {
    ToolbarOutcome outcome = m_sets.toolbar_command(type, data);
    if (outcome.switch_to_position) switch_to_position(*outcome.switch_to_position);
    if (outcome.open_options) open_options(0);
}

void CMainController::timer_fired(uint32_t id) {
    if (id == kRefreshTimer && m_active) {
        // Drawn only when something on it changed: an unchanged screen costs no drawing.
        if (refresh_tick()) m_active->redraw();
    } else if (id == kFullScreenWatchTimer) {
        watch_full_screen();
    }
}

void CMainController::deactivated() {
    if (!m_initialised || m_end) return;
    for (MainScreen* screen : m_screens)
        if (screen != m_active) screen->release_images();
    m_view.release_shared_images();
    m_view.kill_timer(kFullScreenWatchTimer);
}

void CMainController::activated() {
    if (!m_initialised || m_end) return;
    m_view.post(kRelayoutMessage, 0, 0);
    apply_full_screen();
}

void CMainController::resized() {
    m_view.fit_to_frame();
    lay_out();
}

void CMainController::check_orientation() {
    if (!m_initialised || m_end) return;
    const bool landscape = m_view.metrics().landscape();
    m_view.fit_to_frame();
    if (landscape == m_landscape) return;
    m_landscape = landscape;
    m_view.load_images(m_landscape);
    lay_out();
    if (m_active) m_active->redraw();
    m_view.set_timer(kFullScreenWatchTimer, kFullScreenWatchPeriodMs);
}

void CMainController::open_options(int page) {
    const bool landscape_before = m_view.metrics().landscape();
    m_view.open_options(page, [this, landscape_before] { options_closed(landscape_before); });
}

void CMainController::options_closed(bool landscape_before) {
    if (m_end) return;
    m_settings.load();
    m_view.apply_screen_metrics();
    if (m_view.metrics().landscape() != landscape_before) {
        check_orientation();
        load_active_skin();
    }
    // The buttons page changed the process's set as the user chose; what counts is what the sheet
    // stored (nothing when it was cancelled), and the page left its own profile current.
    CButtonMappings::instance().load();
    if (m_active) select_button_profile();
    if (m_active) m_active->redraw();
}

void CMainController::tear_down() {
    if (m_torn_down) return;
    m_torn_down = true;
    m_view.kill_timer(kFullScreenWatchTimer);
    m_view.kill_timer(kRefreshTimer);
    if (m_active) m_active->deactivate();
    m_active = nullptr;
    m_screens.clear();
    m_view.destroy_screens();
    m_view.detach_skin();
    if (m_initialised) {
        m_store.reschedule();
        m_settings.save();
    }
}

}  // namespace zt::app
