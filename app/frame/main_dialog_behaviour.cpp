// The main dialog's reactions: keys, full screen and its watch, activation, orientation,
// what the anchor window hands on, the screensaver placeholder and the end.
#include <QEvent>
#include <QImage>
#include <QPixmap>

#include "app/frame/main_dialog_widget.h"
#include "app/frame/options_sheet.h"
#include "app/frame/options_sheet_launcher.h"
#include "app/startup/item_command.h"
#include "app/startup/program_dialogs.h"
#include "core/settings_bag.h"
#include "core/time_store.h"
#include "platform/base/text.h"
#include "platform/gui/hardware_keys.h"
#include "platform/gui/screen_metrics.h"
#include "platform/gui/shell_frame.h"
#include "platform/gui/window_placement.h"
#include "platform/gui/window_timers.h"
#include "platform/windows/qt/qt_message_pump.h"
#include "platform/windows/window_lookup.h"
#include "skins/skin_manager.h"

namespace zt::app {
namespace {

// Qt's PNG quality 80 is zlib's fastest level.
constexpr int kScreenshotQuality = 80;

bool is_soft_key_bar_class(std::u16string_view name) {
    return platform::equal_ignoring_case(name, platform::gui::kSoftKeyWindowClass) ||
           platform::equal_ignoring_case(name, u"Worker");
}

}  // namespace

bool CMainDialog::handle_key(uint32_t key_code) {
    if (m_end || !m_initialised) return false;
    namespace keys = platform::gui;
    if (m_frame.metrics().square()) {
        switch (key_code) {
            case keys::VK_RETURN:
                open_options(0);
                return true;
            case keys::VK_LEFT:
            case keys::VK_RIGHT:
                m_sets.move_selection(key_code == keys::VK_LEFT ? -1 : 1);
                redraw_backdrop();
                return true;
            case keys::VK_UP:
            case keys::VK_DOWN:
                if (m_full_screen) {
                    m_full_screen = false;
                    apply_full_screen();
                }
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
        m_full_screen = !m_full_screen;
        apply_full_screen();
        return true;
    }
    return m_active && m_active->handle_action(action);
}

void CMainDialog::apply_full_screen() {
    m_frame.set_full_screen(m_full_screen);
    setGeometry(m_frame.content().rect());
    if (m_screensaver) platform::gui::bring_to_front(m_frame, m_pump ? &m_pump->window() : nullptr);
    if (m_full_screen) {
        m_timers->set(kFullScreenWatchTimer, kFullScreenWatchPeriodMs);
    } else {
        m_timers->kill(kFullScreenWatchTimer);
    }
    lay_out();
}

void CMainDialog::watch_full_screen() {
    // The shell brings its soft-key bar back now and then (a menu, another program's bar):
    // while full screen is wanted it is hidden again.
    const platform::gui::ScreenMetrics metrics = m_frame.metrics();
    std::optional<platform::WindowInfo> below = platform::window_from_point({ metrics.width / 2, metrics.height - 1 });
    if (below && is_soft_key_bar_class(below->class_name)) {
        m_soft_key_bar_seen = true;
        apply_full_screen();
    } else if (!m_soft_key_bar_seen) {
        m_timers->kill(kFullScreenWatchTimer);
    }
}

bool CMainDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &m_frame.content() && event->type() == QEvent::Resize) {
        setGeometry(m_frame.content().rect());
        lay_out();
    } else if (watched == &m_frame && m_initialised && !m_end) {
        if (event->type() == QEvent::WindowDeactivate) {
            for (const auto& screen : m_screens)
                if (screen.get() != m_active) screen->release_images();
            m_screens_background.reset();
            m_skins.release_image_cache();
            m_timers->kill(kFullScreenWatchTimer);
        } else if (event->type() == QEvent::WindowActivate) {
            post_to_self(kRelayoutMessage);
            apply_full_screen();
        }
    }
    return QWidget::eventFilter(watched, event);
}

void CMainDialog::setting_changed() {
    if (!m_initialised || m_end) return;
    m_frame.apply_screen_metrics();
    check_orientation();
}

void CMainDialog::check_orientation() {
    if (!m_initialised || m_end) return;
    const bool landscape = m_frame.metrics().landscape();
    setGeometry(m_frame.content().rect());
    if (landscape == m_landscape) return;
    m_landscape = landscape;
    load_dialog_images();
    lay_out();
    if (m_active) m_active->redraw();
    m_timers->set(kFullScreenWatchTimer, kFullScreenWatchPeriodMs);
}

void CMainDialog::open_options(int page) {
    const bool landscape_before = m_frame.metrics().landscape();
    set_options_sheet_closed_hook([this, landscape_before] { options_closed(landscape_before); });
    open_options_sheet(page, this);
}

void CMainDialog::options_closed(bool landscape_before) {
    if (m_end) return;
    m_settings.load();
    m_frame.apply_screen_metrics();
    if (m_frame.metrics().landscape() != landscape_before) {
        check_orientation();
        m_skins.load_skin(m_settings.text(kActiveSkinValue), true);
    }
    if (m_active) m_active->redraw();
}

void CMainDialog::start_screensaver() {
    // The screensaver proper comes with its own screen; until then it is the analog clock,
    // full screen and in front.
    m_screensaver = true;
    m_full_screen = true;
    apply_full_screen();
    switch_to_screen(ScreenNumber::AnalogClock);
}

void CMainDialog::second_instance_line(std::u16string_view text) {
    if (m_end) return;
    const CommandLine line = parse_command_line(text, [](uint32_t handle) { return platform::is_window(handle); });
    switch (line.mode) {
        case StartMode::ScreenSaver:
            start_screensaver();
            break;
        case StartMode::ChooseCity:
            run_city_chooser(line, this);
            m_frame.showMinimized();
            break;
        case StartMode::Options:
            open_options(static_cast<int>(line.numbers[0]));
            m_frame.showMinimized();
            break;
        case StartMode::NewAlarm:
        case StartMode::NewOneTimeAlarm:
        case StartMode::EditAlarm:
            open_alarm_editor(line, this);
            break;
        default:
            bring_forward();
            break;
    }
}

void CMainDialog::bring_forward() { platform::gui::bring_to_front(m_frame, m_pump ? &m_pump->window() : nullptr); }

void CMainDialog::end_screensaver() {
    if (m_line.mode == StartMode::ScreenSaver) {
        finish(MainDialogEnd::Closed);
        return;
    }
    if (!m_screensaver) return;
    m_screensaver = false;
    m_full_screen = false;
    apply_full_screen();
    switch_to_position(m_sets.remembered_position(m_sets.active_set()));
}

void CMainDialog::item_command(int32_t item_id, uint16_t command, uint16_t argument) {
    if (m_end || !m_store.find(item_id)) return;
    if (m_active && (m_active->number() == ScreenNumber::AnalogClock || m_active->number() == ScreenNumber::DigitalClock))
        m_close_alarm_control(*m_active);
    apply_item_command(m_store, item_id, command, argument);
    if (m_active) {
        m_active->tick();
        m_active->redraw();
    }
}

void CMainDialog::close_and_quit() { finish(MainDialogEnd::Closed); }

void CMainDialog::finish(MainDialogEnd end) {
    if (m_end) return;
    m_end = end;
    tear_down();
    if (m_on_end) m_on_end(end);
}

void CMainDialog::tear_down() {
    if (m_torn_down) return;
    m_torn_down = true;
    m_timers->kill(kFullScreenWatchTimer);
    m_timers->kill(kRefreshTimer);
    if (m_active) m_active->deactivate();
    m_active = nullptr;
    m_screens.clear();
    m_skins.set_verifier({});
    m_skins.set_message_sink(nullptr);
    if (m_initialised) {
        m_store.reschedule();
        m_settings.save();
    }
}

void CMainDialog::save_screenshot_once() {
    m_screenshot_pending = false;
    const QString path = qEnvironmentVariable("ZT_SCREENSHOT");
    if (path.isEmpty()) return;
    // Saved with fast compression: the picture is for a look, and encoding it should not weigh
    // more than drawing it.
    QMetaObject::invokeMethod(
        this, [this, path] { m_frame.grab().save(path, "PNG", kScreenshotQuality); }, Qt::QueuedConnection);
}

}  // namespace zt::app
