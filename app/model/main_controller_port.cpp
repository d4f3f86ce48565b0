// What the anchor window hands on to the main dialog from other programs: a second instance's
// command line, the screensaver's start and end, item commands, a turned screen, the close.
#include "app/model/main_controller.h"

#include "app/model/item_command.h"
#include "contracts/item_command.h"
#include "core/time_store.h"
#include "platform/windows/window_lookup.h"

namespace zt::app {

void CMainController::setting_changed() {
    if (!m_initialised || m_end) return;
    m_view.apply_screen_metrics();
    check_orientation();
}

void CMainController::second_instance_line(std::u16string_view text) {
    if (m_end) return;
    const CommandLine line = parse_command_line(text, [](uint32_t handle) { return platform::is_window(handle); });
    switch (line.mode) {
        case StartMode::ScreenSaver:
            start_screensaver();
            break;
        case StartMode::ChooseCity:
            m_view.run_city_chooser(line);
            m_view.minimise();
            break;
        case StartMode::Options:
            open_options(static_cast<int>(line.numbers[0]));
            m_view.minimise();
            break;
        case StartMode::NewAlarm:
        case StartMode::NewOneTimeAlarm:
        case StartMode::EditAlarm:
            m_view.open_alarm_editor(line);
            break;
        default:
            bring_forward();
            break;
    }
}

void CMainController::bring_forward() { m_view.bring_to_front(); }

void CMainController::item_command(int32_t item_id, uint16_t command, uint16_t argument) {
    // Only a changed alarm may be new to this store.
    if (m_end || (!m_store.find(item_id) && command != static_cast<uint16_t>(contracts::ItemCommand::Change))) return;
    if (m_active && (m_active->number() == ScreenNumber::AnalogClock || m_active->number() == ScreenNumber::DigitalClock))
        m_close_alarm_control(*m_active);
    apply_item_command(m_store, item_id, command, argument);
    if (m_active) {
        m_active->tick();
        m_active->redraw();
    }
}

void CMainController::close_and_quit() { finish(MainDialogEnd::Closed); }

void CMainController::finish(MainDialogEnd end) {
    if (m_end) return;
    m_end = end;
    tear_down();
    if (m_on_end) m_on_end(end);
}

}  // namespace zt::app
