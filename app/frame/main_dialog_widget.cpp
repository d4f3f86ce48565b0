// The main dialog: initialisation, screen sets and switching, layout and drawing.
#include "app/frame/main_dialog_widget.h"

#include <QEvent>
#include <QMouseEvent>
#include <QPainter>

#include "app/dialogs/program_look.h"
#include "app/frame/screens.h"
#include "app/frame/skin_backdrop.h"
#include "app/frame/skin_message_box.h"
#include "app/frame/toolbar_controls.h"
#include "core/settings_bag.h"
#include "core/time_store.h"
#include "platform/gui/hardware_keys.h"
#include "platform/gui/shell_frame.h"
#include "platform/gui/window_placement.h"
#include "platform/gui/window_timers.h"
#include "platform/windows/message_sender.h"
#include "platform/windows/qt/qt_message_pump.h"
#include "platform/windows/qt/window_message_event.h"
#include "skins/drawing.h"
#include "skins/opacity.h"
#include "skins/picture_qimage.h"
#include "skins/skin_manager.h"
#include "texts/text_table.h"

namespace zt::app {

CMainDialog::CMainDialog(const CommandLine& line, const MainDialogEnvironment& environment,
                         platform::gui::ShellFrame& frame)
    : QWidget(&frame.content()),
      m_line(line),
      m_settings(*environment.settings),
      m_store(environment.store ? *environment.store : core::CTimeStore::instance()),
      m_skins(environment.skins ? *environment.skins : skins::CSkinManager::instance()),
      m_frame(frame),
      m_make_screens(environment.screens ? environment.screens : ScreenFactory(make_screens)),
      m_sets(*environment.settings) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    m_timers = std::make_unique<platform::gui::WindowTimers>([this](uint32_t id) { on_timer(id); });
    m_key_action = [](uint32_t) { return kNoAction; };
    m_close_alarm_control = [](CScreen&) {};
    frame.content().installEventFilter(this);
    frame.installEventFilter(this);
    frame.set_command_handler([this](uint32_t command) {
        if (command == kOptionsSoftKeyCommand) post_to_self(kToolbarCommandMessage, static_cast<uint32_t>(ToolbarCommandType::Options));
    });
    frame.on_setting_change([this](const platform::gui::ScreenMetrics&) { check_orientation(); });
    m_keys = new platform::gui::HardwareKeys(*this, [this](uint32_t key) { return handle_key(key); });
}

CMainDialog::~CMainDialog() {
    tear_down();
    m_frame.content().removeEventFilter(this);
    m_frame.removeEventFilter(this);
    m_frame.set_command_handler({});
    m_frame.on_setting_change({});
}

CScreen* CMainDialog::screen(ScreenNumber number) const {
    for (const auto& screen : m_screens)
        if (screen->number() == number) return screen.get();
    return nullptr;
}

bool CMainDialog::initialise() {
    // Step 1: the dialog is the program's window, found by the device as a dialog.
    m_pump = platform::QtMessagePump::create(kMainDialogClass, kProgramTitle, this);
    platform::gui::set_control_id(*this, kMainDialogResource);
    platform::gui::set_drawn_controls(*this, [this] { return describe_toolbar(m_layout, m_sets.selected_button()); });
    m_frame.set_title(kProgramTitle);
    m_frame.soft_key_bar().add_text_button(CTextTable::instance().translate(u"Options"), kOptionsSoftKeyCommand);
    // The program's dialog look; the skin draws everything else, so there is no heading.
    apply_program_look(*this, {});
    platform::gui::apply_fonts(m_frame.soft_key_bar(), program_appearance());
    m_screenshot_pending = qEnvironmentVariableIsSet("ZT_SCREENSHOT");
    setGeometry(m_frame.content().rect());
    // Step 2.
    m_sets.initialise(m_line.mode);
    // Step 3. A skin without its own images still shows the default skin's, so a failure here
    // is only final once the skin itself is loaded (the verification reloads everything).
    m_landscape = m_frame.metrics().landscape();
    load_dialog_images();
    // Step 4.
    m_screens = m_make_screens(m_skins);
    for (const auto& screen : m_screens) {
        if (!screen->create(this)) {
            finish(MainDialogEnd::CreateFailed);
            return false;
        }
        screen->on_refresh_needs_changed([this, changed = screen.get()] {
            if (changed == m_active && !m_end) restart_refresh_timer();
        });
        screen->set_background_source([this](bool landscape) { return screens_background(landscape); });
    }
    lay_out();
    show();
    // Step 5.
    if (!load_active_skin()) {
        finish(MainDialogEnd::SkinFailed);
        return false;
    }
    m_skin_loaded = true;
    // Step 6.
    if (m_line.mode == StartMode::ScreenSaver) {
        start_screensaver();
    } else {
        activate_set(m_sets.active_set());
        if (m_end) return false;
        apply_full_screen();
        post_to_self(kRelayoutMessage);
    }
    m_initialised = true;
    return true;
}

bool CMainDialog::load_dialog_images() {
    m_toolbar = load_toolbar(m_skins, m_landscape);
    m_background = load_background(m_skins, m_landscape);
    m_screens_background = m_background;
    m_backdrop_stale = true;
    return m_toolbar && m_background;
}

std::shared_ptr<const skins::CPicture> CMainDialog::screens_background(bool landscape) {
    if (landscape != m_landscape) return load_background(m_skins, landscape);
    if (!m_screens_background) m_screens_background = load_background(m_skins, landscape);
    return m_screens_background;
}

bool CMainDialog::reload_all_images() {
    bool all = load_dialog_images();
    for (const auto& screen : m_screens) all = screen->reload_images() && all;
    lay_out();
    return all;
}

bool CMainDialog::load_active_skin() {
    m_skins.set_verifier([this] { return reload_all_images(); });
    static SkinMessageBox sink;
    m_skins.set_message_sink(&sink);
    return m_skins.load_skin(m_settings.text(kActiveSkinValue), true);
}

void CMainDialog::activate_set(uint32_t set) {
    const uint32_t position = m_sets.activate_set(set);
    switch_to_position(position);
}

void CMainDialog::switch_to_position(uint32_t position) {
    redraw_backdrop();
    // Position 6 has no screen: the dialog keeps what it shows.
    if (std::optional<ScreenNumber> number = screen_of_position(position)) switch_to_screen(*number);
}

void CMainDialog::switch_to_screen(ScreenNumber number) {
    CScreen* next = screen(number);
    if (!next) return;
    if (!next->active() && !next->activate()) {
        skin_refused();
        return;
    }
    if (m_active && m_active != next) {
        m_timers->kill(kRefreshTimer);
        m_active->deactivate();
        m_active->hide();
    }
    m_active = next;
    restart_refresh_timer();
    m_active->tick();
    m_active->redraw();
    m_active->show();
    if (m_screenshot_pending) save_screenshot_once();
}

void CMainDialog::restart_refresh_timer() {
    m_timers->kill(kRefreshTimer);
    if (m_active && m_active->refresh_period_ms() != 0 && m_active->needs_refresh())
        m_timers->set(kRefreshTimer, m_active->refresh_period_ms());
}

void CMainDialog::skin_refused() {
    if (m_active) return;
    if (m_line.mode == StartMode::ScreenSaver) return;
    if (!m_showing_skin_error) {
        m_showing_skin_error = true;
        show_error_box(CTextTable::instance().translate(kErrorLoadingSkin));
        m_showing_skin_error = false;
    }
    finish(MainDialogEnd::SkinFailed);
}

void CMainDialog::lay_out() {
    const int32_t width = std::max(0, this->width());
    const int32_t height = std::max(0, this->height());
    DialogLayout layout = lay_out_dialog(width, height, m_landscape, m_toolbar ? &*m_toolbar : nullptr);
    // Laying out again is asked for often (activation, full screen, the relayout message):
    // what did not change is not drawn again.
    if (!(layout == m_layout)) m_backdrop_stale = true;
    m_layout = std::move(layout);
    ScreenLayout screen_layout { m_layout.screen_area, m_landscape, m_frame.metrics().high_resolution(), m_full_screen };
    for (const auto& screen : m_screens) screen->set_layout(screen_layout);
    redraw_backdrop();
}

void CMainDialog::redraw_backdrop() {
    if (width() <= 0 || height() <= 0) return;
    // Nothing is shown before the skin is loaded (the event loop has not run yet), and what
    // did not change since the last drawing is not drawn again.
    if (!m_skin_loaded) return;
    const int button = m_sets.selected_button();
    if (!m_backdrop_stale && m_backdrop && m_backdrop->width() == width() && m_backdrop->height() == height() &&
        m_backdrop_button == button)
        return;
    if (!m_backdrop || m_backdrop->width() != width() || m_backdrop->height() != height())
        m_backdrop = skins::CPicture::create(width(), height());
    if (!m_backdrop) return;
    skins::fill_picture(*m_backdrop, {});
    if (m_background) {
        skins::ScopedOpacity opaque(skins::kOpaque, skins::kOpaque);
        skins::copy_with_opacity(*m_backdrop, *m_background, 0, 0, m_background->width(), m_background->height(), 0, 0);
    }
    if (m_toolbar) draw_toolbar(*m_backdrop, *m_toolbar, m_layout, button);
    skins::to_qimage(*m_backdrop, m_backdrop_shown);
    m_backdrop_stale = false;
    m_backdrop_button = button;
    update();
}

void CMainDialog::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (!m_backdrop_shown.isNull())
        painter.drawImage(0, 0, m_backdrop_shown);
    else
        painter.fillRect(rect(), Qt::black);
}

void CMainDialog::mousePressEvent(QMouseEvent* event) {
    const QPoint point = event->position().toPoint();
    press_at(point.x(), point.y());
}

void CMainDialog::press_at(int x, int y) {
    std::optional<ToolBarSlot> slot = slot_at(m_layout, { x, y });
    if (!slot) return;
    switch (*slot) {
        case ToolBarSlot::SetSwitch:
            post_to_self(kToolbarCommandMessage, static_cast<uint32_t>(ToolbarCommandType::OtherSet));
            break;
        case ToolBarSlot::Options:
            post_to_self(kToolbarCommandMessage, static_cast<uint32_t>(ToolbarCommandType::Options));
            break;
        default: {
            const uint32_t position = positions_of_set(m_sets.active_set())[static_cast<int>(*slot) - 1];
            post_to_self(kToolbarCommandMessage, static_cast<uint32_t>(ToolbarCommandType::SwitchPosition),
                         ScreenSets::switch_data(position));
        }
    }
}

void CMainDialog::toolbar_command(uint32_t type, uint32_t data) {
    ToolbarOutcome outcome = m_sets.toolbar_command(type, data);
    if (outcome.switch_to_position) switch_to_position(*outcome.switch_to_position);
    if (outcome.open_options) open_options(0);
}

void CMainDialog::post_to_self(uint32_t number, uint32_t wparam, uint32_t lparam) {
    if (m_pump && platform::post_message(m_pump->window().handle(), number, wparam, lparam) ==
                      platform::DeliveryStatus::Delivered)
        return;
    // Without a device window the message still arrives, from this thread's event loop.
    QMetaObject::invokeMethod(this, [this, number, wparam, lparam] { handle_message(number, wparam, lparam); },
                              Qt::QueuedConnection);
}

bool CMainDialog::event(QEvent* event) {
    if (event->type() == platform::WindowMessageEvent::event_type()) {
        auto* message = static_cast<platform::WindowMessageEvent*>(event);
        const platform::Message& m = message->message();
        if (m.number == platform::WM_CLOSE) {
            close_and_quit();
            message->set_answer(0);
        } else if (m.number == kRelayoutMessage || m.number == kToolbarCommandMessage || m.number == kFullScreenMessage ||
                   m.number == platform::gui::WM_SETTINGCHANGE || m.number == platform::gui::WM_ACTIVATE) {
            handle_message(m.number, m.wparam, m.lparam);
            message->set_answer(0);
        }
        return true;
    }
    return QWidget::event(event);
}

void CMainDialog::handle_message(uint32_t number, uint32_t wparam, uint32_t lparam) {
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
            m_full_screen = wparam != 0;
            apply_full_screen();
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

void CMainDialog::on_timer(uint32_t id) {
    if (id == kRefreshTimer && m_active) {
        // Drawn only when something on it changed: an unchanged screen costs no drawing.
        if (m_active->tick()) m_active->redraw();
    } else if (id == kFullScreenWatchTimer) {
        watch_full_screen();
    }
}

}  // namespace zt::app
