#include "app/frame/main_dialog_widget.h"

#include <QApplication>
#include <QEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>

#include "app/dialogs/city_dialogs.h"
#include "app/dialogs/options_sheet.h"
#include "app/dialogs/options_sheet_launcher.h"
#include "app/dialogs/program_dialogs.h"
#include "app/dialogs/program_look.h"
#include "app/dialogs/skin_message_box.h"
#include "app/dialogs/timer_editor.h"
#include "app/dialogs/timer_laps_view.h"
#include "app/frame/screens.h"
#include "app/frame/skin_backdrop.h"
#include "app/frame/toolbar_controls.h"
#include "app/model/button_mappings.h"
#include "app/model/alarm_edit.h"
#include "core/settings_bag.h"
#include "core/time_store.h"
#include "platform/base/text.h"
#include "platform/gui/hardware_keys.h"
#include "platform/kernel/process.h"
#include "platform/gui/shell_frame.h"
#include "platform/gui/window_placement.h"
#include "platform/gui/window_timers.h"
#include "platform/windows/hot_keys.h"
#include "platform/windows/message_sender.h"
#include "platform/windows/qt/qt_message_pump.h"
#include "platform/windows/qt/window_message_event.h"
#include "platform/windows/window_lookup.h"
#include "skins/drawing.h"
#include "skins/opacity.h"
#include "skins/picture_qimage.h"
#include "skins/skin_manager.h"
#include "texts/text_table.h"

namespace zt::app {
namespace {

// Qt's PNG quality 80 is zlib's fastest level.
constexpr int kScreenshotQuality = 80;

bool is_soft_key_bar_class(std::u16string_view name) {
    return platform::equal_ignoring_case(name, platform::gui::kSoftKeyWindowClass) ||
           platform::equal_ignoring_case(name, u"Worker");
}

}  // namespace

CMainDialog::CMainDialog(const CommandLine& line, const MainDialogEnvironment& environment,
                         platform::gui::ShellFrame& frame)
    : QWidget(&frame.content()),
      m_skins(environment.skins ? *environment.skins : skins::CSkinManager::instance()),
      m_settings(*environment.settings),
      m_store(environment.store ? *environment.store : core::CTimeStore::instance()),
      m_frame(frame),
      m_make_screens(environment.screens ? environment.screens : ScreenFactory(make_screens)),
      m_controller(line, m_settings, m_store, *this) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    m_timers = std::make_unique<platform::gui::WindowTimers>([this](uint32_t id) { m_controller.timer_fired(id); });
    frame.content().installEventFilter(this);
    frame.installEventFilter(this);
    frame.set_command_handler([this](uint32_t command) { m_controller.soft_key_command(command); });
    frame.on_setting_change([this](const platform::gui::ScreenMetrics&) { m_controller.check_orientation(); });
    new platform::gui::HardwareKeys(*this, [this](uint32_t key) { return key_released(key); });
}

CMainDialog::~CMainDialog() {
    m_controller.tear_down();
    m_frame.content().removeEventFilter(this);
    m_frame.removeEventFilter(this);
    m_frame.set_command_handler({});
    m_frame.on_setting_change({});
}

bool CMainDialog::key_released(uint32_t key_code) {
    CScreen* screen = active_screen();
    return (screen && screen->key_released(key_code)) || m_controller.handle_key(key_code);
}

void CMainDialog::capture_buttons(const std::function<bool(uint32_t key)>& mapped) {
    if (!m_pump) return;
    const platform::WindowHandle window = m_pump->window().handle();
    for (uint32_t key = CButtonMappings::kFirstAppButton; key <= CButtonMappings::kLastAppButton; ++key) {
        const auto id = static_cast<int32_t>(key);
        if (mapped(key)) {
            // The shell holds the buttons; it lets go of one only when asked.
            platform::release_hot_key(platform::MOD_WIN, key);
            platform::register_hot_key(window, id, platform::MOD_WIN | platform::MOD_KEYUP, key);
        } else {
            platform::unregister_hot_key(window, id);
        }
    }
}

CScreen* CMainDialog::screen(ScreenNumber number) const {
    for (const auto& screen : m_screens)
        if (screen->number() == number) return screen.get();
    return nullptr;
}

CScreen* CMainDialog::active_screen() const {
    const MainScreen* active = m_controller.active_screen();
    return active ? screen(active->number()) : nullptr;
}

void CMainDialog::create_window() {
    m_pump = platform::QtMessagePump::create(kMainDialogClass, kProgramTitle, this);
    platform::gui::set_control_id(*this, kMainDialogResource);
    platform::gui::set_drawn_controls(
        *this, [this] { return describe_toolbar(m_layout, m_controller.screen_sets().selected_button()); });
    m_frame.set_title(kProgramTitle);
    m_frame.soft_key_bar().add_text_button(CTextTable::instance().translate(u"Options"), kOptionsSoftKeyCommand);
    // The program's dialog look; the skin draws everything else, so there is no heading.
    apply_program_look(*this, {});
    platform::gui::apply_fonts(m_frame.soft_key_bar(), program_appearance());
    m_screenshot_pending = qEnvironmentVariableIsSet("ZT_SCREENSHOT");
    fit_to_frame();
}

std::vector<MainScreen*> CMainDialog::create_screens() {
    const ScreenSources sources { m_skins,
                                  m_settings,
                                  m_store,
                                  [this] { return m_controller.screensaver_running(); },
                                  nullptr,
                                  nullptr,
                                  [](QWidget* parent) { return run_add_city_dialog(AddCityRequest::add(), parent); },
                                  [this](bool full_screen) { post(kFullScreenMessage, full_screen ? 1 : 0, 0); },
                                  [this](QWidget* parent, core::CTimer& timer) { return run_timer_editor(timer, m_store, parent); },
                                  [](QWidget* parent, const core::CTimer& timer) { show_timer_laps(timer, parent); },
                                  std::make_shared<CAlarmEdit>(),
                                  {},
                                  [this] { post(kToolbarCommandMessage, static_cast<uint32_t>(ToolbarCommandType::Options), 0); } };
    m_screens = m_make_screens(sources);
    std::vector<MainScreen*> screens;
    for (const auto& screen : m_screens) {
        if (!screen->create(this)) return {};
        screen->set_background_source([this](bool landscape) { return screens_background(landscape); });
        screen->set_slide_show_source([this] { return m_controller.slide_show_picture(); },
                                      [this] { return m_controller.clock_opacity(); });
        screens.push_back(screen.get());
    }
    return screens;
}

void CMainDialog::destroy_screens() { m_screens.clear(); }

platform::gui::ScreenMetrics CMainDialog::metrics() const { return m_frame.metrics(); }

void CMainDialog::apply_screen_metrics() { m_frame.apply_screen_metrics(); }

void CMainDialog::fit_to_frame() { setGeometry(m_frame.content().rect()); }

void CMainDialog::set_full_screen(bool full_screen) {
    m_frame.set_full_screen(full_screen);
    fit_to_frame();
}

bool CMainDialog::soft_key_bar_shown() const {
    const platform::gui::ScreenMetrics screen = m_frame.metrics();
    std::optional<platform::WindowInfo> below = platform::window_from_point({ screen.width / 2, screen.height - 1 });
    return below && is_soft_key_bar_class(below->class_name);
}

void CMainDialog::bring_to_front() { platform::gui::bring_to_front(m_frame, m_pump ? &m_pump->window() : nullptr); }

void CMainDialog::set_topmost(bool topmost) { platform::gui::set_topmost(m_frame, topmost); }

void CMainDialog::remember_foreground() { m_foreground.remember(m_pump ? m_pump->window().handle() : 0); }

void CMainDialog::restore_foreground() { m_foreground.restore(); }

bool CMainDialog::other_dialog_open() const {
    if (QApplication::activeModalWidget() || open_options_sheet_page() >= 0) return true;
    // Dialogs of the program that are device windows of their own (the alarm editor).
    int dialogs = 0;
    for (const platform::WindowInfo& window : platform::windows_of_process(platform::current_process_id()))
        if (window.class_name == kMainDialogClass) ++dialogs;
    return dialogs > 1;
}

std::optional<skins::CPicture> CMainDialog::screen_background() {
    const platform::gui::ScreenMetrics screen = m_frame.metrics();
    std::optional<skins::CPicture> picture = skins::CPicture::create(screen.width, screen.height);
    if (picture && m_background) {
        skins::ScopedOpacity opaque(skins::kOpaque, skins::kOpaque);
        skins::copy_with_opacity(*picture, *m_background, 0, 0, m_background->width(), m_background->height(), 0, 0);
    }
    return picture;
}

void CMainDialog::minimise() { m_frame.showMinimized(); }

bool CMainDialog::load_images(bool landscape) {
    m_landscape = landscape;
    m_toolbar = load_toolbar(m_skins, landscape);
    m_background = load_background(m_skins, landscape);
    m_screens_background = m_background;
    m_backdrop_stale = true;
    return m_toolbar && m_background;
}

std::shared_ptr<const skins::CPicture> CMainDialog::screens_background(bool landscape) {
    if (landscape != m_landscape) return load_background(m_skins, landscape);
    if (!m_screens_background) m_screens_background = load_background(m_skins, landscape);
    return m_screens_background;
}

void CMainDialog::release_shared_images() {
    m_screens_background.reset();
    m_skins.release_image_cache();
}

bool CMainDialog::load_skin(std::u16string_view name, std::function<bool()> verify) {
    m_skins.set_verifier(std::move(verify));
    static SkinMessageBox sink;
    m_skins.set_message_sink(&sink);
    return m_skins.load_skin(std::u16string(name), true);
}

std::u16string CMainDialog::current_skin() const { return m_skins.current_skin_name(); }

void CMainDialog::detach_skin() {
    m_skins.set_verifier({});
    m_skins.set_message_sink(nullptr);
}

skins::Rect CMainDialog::lay_out(bool landscape) {
    DialogLayout layout = lay_out_dialog(std::max(0, width()), std::max(0, height()), landscape,
                                         m_toolbar ? &*m_toolbar : nullptr);
    // Laying out again is asked for often (activation, full screen, the relayout message):
    // what did not change is not drawn again.
    if (!(layout == m_layout)) m_backdrop_stale = true;
    m_layout = std::move(layout);
    return m_layout.screen_area;
}

void CMainDialog::draw_toolbar(int selected_button) {
    if (width() <= 0 || height() <= 0) return;
    if (!m_backdrop_stale && m_backdrop && m_backdrop->width() == width() && m_backdrop->height() == height() &&
        m_backdrop_button == selected_button)
        return;
    if (!m_backdrop || m_backdrop->width() != width() || m_backdrop->height() != height())
        m_backdrop = skins::CPicture::create(width(), height());
    if (!m_backdrop) return;
    skins::fill_picture(*m_backdrop, {});
    if (m_background) {
        skins::ScopedOpacity opaque(skins::kOpaque, skins::kOpaque);
        skins::copy_with_opacity(*m_backdrop, *m_background, 0, 0, m_background->width(), m_background->height(), 0, 0);
    }
    if (m_toolbar) app::draw_toolbar(*m_backdrop, *m_toolbar, m_layout, selected_button);
    skins::to_qimage(*m_backdrop, m_backdrop_shown);
    m_backdrop_stale = false;
    m_backdrop_button = selected_button;
    update();
}

void CMainDialog::screen_shown() {
    if (!m_screenshot_pending) return;
    m_screenshot_pending = false;
    save_screenshot();
}

void CMainDialog::save_screenshot() {
    const QString path = qEnvironmentVariable("ZT_SCREENSHOT");
    if (path.isEmpty()) return;
    // Saved with fast compression: the picture is for a look, and encoding it should not weigh
    // more than drawing it.
    QMetaObject::invokeMethod(
        this, [this, path] { m_frame.grab().save(path, "PNG", kScreenshotQuality); }, Qt::QueuedConnection);
}

void CMainDialog::set_timer(uint32_t id, uint32_t period_ms) { m_timers->set(id, period_ms); }

void CMainDialog::kill_timer(uint32_t id) { m_timers->kill(id); }

void CMainDialog::post(uint32_t number, uint32_t wparam, uint32_t lparam) {
    if (m_pump && platform::post_message(m_pump->window().handle(), number, wparam, lparam) ==
                      platform::DeliveryStatus::Delivered)
        return;
    // Without a device window the message still arrives, from this thread's event loop.
    QMetaObject::invokeMethod(
        this, [this, number, wparam, lparam] { m_controller.handle_message(number, wparam, lparam); },
        Qt::QueuedConnection);
}

void CMainDialog::open_options(int page, std::function<void()> closed) {
    set_options_sheet_closed_hook(std::move(closed));
    set_options_sheet_skin_hook([this](std::u16string_view name) { m_controller.choose_skin(name); });
    open_options_sheet(page, this);
}

void CMainDialog::run_city_chooser(const CommandLine& line) { app::run_city_chooser(line, this); }

void CMainDialog::open_alarm_editor(const CommandLine& line) { app::open_alarm_editor(line, this); }

void CMainDialog::show_error(std::u16string_view text) { show_error_box(CTextTable::instance().translate(text)); }

bool CMainDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &m_frame.content() && event->type() == QEvent::Resize) {
        m_controller.resized();
    } else if (watched == &m_frame && event->type() == QEvent::WindowDeactivate) {
        m_controller.deactivated();
    } else if (watched == &m_frame && event->type() == QEvent::WindowActivate) {
        m_controller.activated();
    }
    return QWidget::eventFilter(watched, event);
}

bool CMainDialog::event(QEvent* event) {
    if (event->type() == platform::WindowMessageEvent::event_type()) {
        auto* message = static_cast<platform::WindowMessageEvent*>(event);
        const platform::Message& m = message->message();
        if (m.number == platform::WM_HOTKEY) {
            // A captured button: only its release acts, like every hardware key here.
            if ((m.lparam & platform::MOD_KEYUP) != 0) key_released(m.lparam >> 16);
            message->set_answer(0);
        } else if (m.number == platform::WM_CLOSE) {
            m_controller.close_and_quit();
            message->set_answer(0);
        } else if (m.number == kRelayoutMessage || m.number == kToolbarCommandMessage || m.number == kFullScreenMessage ||
                   m.number == platform::gui::WM_SETTINGCHANGE || m.number == platform::gui::WM_ACTIVATE) {
            m_controller.handle_message(m.number, m.wparam, m.lparam);
            message->set_answer(0);
        }
        return true;
    }
    return QWidget::event(event);
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
    if (std::optional<ToolBarSlot> slot = slot_at(m_layout, { x, y })) m_controller.slot_pressed(*slot);
}

}  // namespace zt::app
