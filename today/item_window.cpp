#include "today/item_window.h"

#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>

#include "platform/base/clock.h"
#include "platform/base/text.h"
#include "platform/gui/control_id.h"
#include "platform/gui/locale_clock.h"
#include "platform/gui/popup_menu.h"
#include "platform/gui/tap_and_hold.h"
#include "platform/profile/device_profile.h"
#include "platform/profile/platform_generation.h"
#include "skins/drawing.h"
#include "skins/picture_qimage.h"
#include "today/device_item_reach.h"
#include "today/empty_update_window.h"
#include "today/item_look.h"
#include "today/relay_window.h"

namespace zt::today {
namespace {

namespace abi = platform::today;

QRect to_qrect(const skins::Rect& rect) { return QRect(rect.left, rect.top, rect.width(), rect.height()); }

QString to_qstring(std::u16string_view text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

// The answer of the parent to a message, when it handled it.
std::optional<intptr_t> ask_parent(QWidget* parent, uint32_t message, uintptr_t wparam, intptr_t lparam = 0) {
    if (!parent) return std::nullopt;
    abi::ChildMessageEvent event(message, wparam, lparam);
    QCoreApplication::sendEvent(parent, &event);
    if (!event.handled) return std::nullopt;
    return event.result;
}

int minute_of_day(const platform::SYSTEMTIME& time) { return time.wHour * 60 + time.wMinute; }

void add_entries(QMenu& menu, const std::vector<MenuEntry>& entries, const std::function<void(uint32_t)>& run) {
    for (const MenuEntry& entry : entries) {
        if (entry.separator()) {
            menu.addSeparator();
        } else if (!entry.submenu.empty()) {
            add_entries(*menu.addMenu(to_qstring(entry.text)), entry.submenu, run);
        } else {
            const uint32_t number = entry.command;
            QAction* action = menu.addAction(to_qstring(entry.text), [run, number] { run(number); });
            action->setCheckable(entry.checked);
            action->setChecked(entry.checked);
            action->setEnabled(entry.enabled);
        }
    }
}

}  // namespace

CTodayItemWindow::CTodayItemWindow(QWidget* parent, TodayHost host, std::unique_ptr<ItemReach> reach)
    : QWidget(parent),
      m_state(std::make_unique<CItemState>(host, device_high_resolution())),
      m_reach(reach ? std::move(reach) : std::make_unique<DeviceItemReach>()),
      m_timers([this](uint32_t id) { on_window_timer(id); }) {
    setObjectName(to_qstring(kItemWindowClass));
    setWindowTitle(to_qstring(kItemWindowTitle));
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_hold = new platform::gui::TapAndHold(*this);
    m_relay = std::make_unique<CRelayWindow>(CRelayWindow::Handlers {
        [this](uint32_t timer) { on_relay_timer(timer); }, [this] { reload(); } });
    platform::gui::set_drawn_controls(*this, [this] { return describe_controls(); });
    m_state->reload();
    resize(item_width(), 0);
    m_relay->timers().set(kMinuteTimer, kRelayTimerPeriodMs);
    if (!m_state->images().complete()) start_image_retries();
}

CTodayItemWindow::~CTodayItemWindow() = default;

int32_t CTodayItemWindow::item_width() const {
    QWidget* parent = parentWidget();
    const int32_t width = m_state->host().embedded && parent ? parent->width() : platform::read_device_profile().screen_width;
    return width - abi::parent_scroll_bar_width(parent);
}

void CTodayItemWindow::reload() {
    m_state->reload();
    m_state->last_minute_of_day = -1;
    if (!m_state->images().complete() && m_state->retry_count < 0) start_image_retries();
    update();
}

void CTodayItemWindow::start_image_retries() {
    m_state->retry_count = 0;
    m_relay->timers().set(kImageTimer, kRelayTimerPeriodMs);
}

void CTodayItemWindow::on_relay_timer(uint32_t timer) {
    if (timer == kMinuteTimer) {
        const platform::SYSTEMTIME local = platform::local_time();
        const int32_t offset = rounded_zone_offset_minutes(platform::local_file_time(), platform::universal_file_time());
        if (minute_of_day(local) != m_state->last_minute_of_day || offset != m_state->zone_offset_minutes) update();
    } else if (timer == kImageTimer) {
        ++m_state->retry_count;
        const bool complete = m_state->reload_images();
        if (complete || m_state->retry_count >= CItemState::kMaxImageRetries) {
            m_relay->timers().kill(kImageTimer);
            m_state->retry_count = -1;
        }
        if (complete) update();
    }
}

void CTodayItemWindow::on_window_timer(uint32_t timer) {
    if (timer != kRepaintTimer) return;
    m_timers.kill(kRepaintTimer);
    // Older shells leave what a shrunken item covered on the screen until something repaints it.
    if (platform::platform_generation(platform::read_device_profile()) < 4) {
        ask_parent(parentWidget(), abi::kMsgVScroll, abi::kScrollTop);
        flash_empty_update_window(mapToGlobal(QPoint(0, 0)), size());
    }
}

bool CTodayItemWindow::event(QEvent* event) {
    if (event->type() == abi::ChildMessageEvent::kType) {
        auto* message = static_cast<abi::ChildMessageEvent*>(event);
        message->result = handle_message(message->message, message->wparam, message->lparam, message->handled);
        return true;
    }
    return QWidget::event(event);
}

intptr_t CTodayItemWindow::handle_message(uint32_t message, uintptr_t, intptr_t lparam, bool& handled) {
    handled = true;
    switch (message) {
    case abi::kMsgQueryRefreshCache: {
        auto* entry = reinterpret_cast<abi::TodayListItem*>(lparam);
        const int32_t height = m_state->height();
        resize(item_width(), height);
        if (!entry) return 0;
        if (static_cast<uint32_t>(height) == entry->height) return 0;
        if (static_cast<uint32_t>(height) < entry->height) m_timers.set(kRepaintTimer, kRepaintDelayMs);
        entry->height = static_cast<uint32_t>(height);
        return 1;
    }
    case abi::kMsgReceivedSelection:
        m_selected = true;
        update();
        return 1;
    case abi::kMsgLostSelection:
    case abi::kMsgUserNavigation:
        m_selected = false;
        update();
        return 0;
    case abi::kMsgAction:
        if (m_selected) {
            m_state->reload_alarms();
            open_menu(full_menu(), QPoint(0, 0));
        }
        return 0;
    default: handled = false; return 0;
    }
}

void CTodayItemWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const QWidget* screen = window();
    const bool taller = screen && height() > screen->height() + 4;
    if (m_taller_than_visible && !taller) ask_parent(parentWidget(), abi::kMsgVScroll, abi::kScrollTop);
    m_taller_than_visible = taller;
}

skins::Rgb CTodayItemWindow::text_colour() {
    if (m_selected) {
        if (auto answer = ask_parent(parentWidget(), abi::kMsgGetColor, abi::kColorHighlightedText)) {
            return colour_from_colorref(static_cast<uint32_t>(*answer));
        }
    }
    if (auto answer = ask_parent(parentWidget(), abi::kMsgGetColor, abi::kColorText)) {
        return colour_from_colorref(static_cast<uint32_t>(*answer));
    }
    return theme_text_colour();
}

QImage CTodayItemWindow::render() {
    const int32_t w = std::max(width(), 1), h = std::max(height(), 1);
    auto picture = skins::CPicture::create(w, h);
    if (!picture) return {};
    skins::fill_picture(*picture, { 255, 255, 255 });
    abi::WatermarkRequest request { picture->bits(), w, h, picture->stride(), 0, 0, this };
    ask_parent(parentWidget(), abi::kMsgDrawWatermark, 0, reinterpret_cast<intptr_t>(&request));
    const platform::SYSTEMTIME universal = platform::universal_time();
    const platform::SYSTEMTIME local = platform::local_time();
    m_state->last_minute_of_day = minute_of_day(local);
    m_state->zone_offset_minutes = rounded_zone_offset_minutes(platform::local_file_time(), platform::universal_file_time());
    TodayLook look { text_colour(), device_normal_font_height(), m_state->high_resolution() };
    draw_today_item(*picture, m_state->content(universal, local), m_state->images(), look);
    return skins::to_qimage(*picture);
}

std::vector<platform::gui::DrawnControl> CTodayItemWindow::describe_controls() const {
    const TodayLayout layout = m_state->layout(width());
    const TodayContent content = m_state->content(platform::universal_time(), platform::local_time());
    std::vector<platform::gui::DrawnControl> controls;
    if (content.show_icon) controls.push_back({ "button", std::nullopt, kItemWindowTitle, to_qrect(layout.icon_tap), true, {} });
    if (content.settings.cities_count == 1) {
        const TodayTexts texts = today_texts(content);
        const platform::SYSTEMTIME shown = city_time(content, shown_city(content));
        controls.push_back({ "label", std::nullopt, platform::gui::format_locale_time(shown.wHour, shown.wMinute),
                             to_qrect(layout.clock_area), true, {} });
        controls.push_back({ "label", std::nullopt, texts.city, to_qrect(layout.line[0]), true, {} });
        controls.push_back({ "label", std::nullopt, texts.date, to_qrect(layout.line[1]), true, {} });
        controls.push_back({ "label", std::nullopt, texts.alarm, to_qrect(layout.line[2]), true, {} });
    }
    return controls;
}

void CTodayItemWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, render());
}

void CTodayItemWindow::mousePressEvent(QMouseEvent* event) {
    m_pressed = true;
    m_press_point = event->pos();
}

void CTodayItemWindow::mouseReleaseEvent(QMouseEvent* event) {
    if (!m_pressed) return;
    m_pressed = false;
    if (m_menu_pending) {
        m_menu_pending = false;
        return;
    }
    tap_at(event->pos());
}

void CTodayItemWindow::contextMenuEvent(QContextMenuEvent* event) {
    m_pressed = false;
    m_menu_pending = true;
    m_state->reload_alarms();
    open_menu(full_menu(), event->pos());
    m_menu_pending = false;
}

void CTodayItemWindow::tap_at(QPoint point) {
    const TodayLayout layout = m_state->layout(width());
    const skins::Point at { point.x(), point.y() };
    if (m_state->show_icon() && layout.icon_tap.contains(at)) {
        m_reach->start_main_program(u"");
        return;
    }
    if (m_state->settings().cities_count == 1) {
        m_state->reload_alarms();
        if (layout.line[0].contains(at)) return open_menu(city_menu(), point);
        if (layout.line[2].contains(at)) return open_menu(alarm_menu(), point);
    }
    m_reach->start_main_program(u"");
}

std::vector<MenuEntry> CTodayItemWindow::full_menu() const { return build_full_menu(m_state->menu_inputs()); }
std::vector<MenuEntry> CTodayItemWindow::city_menu() const { return build_city_menu(m_state->menu_inputs()); }
std::vector<MenuEntry> CTodayItemWindow::alarm_menu() const { return build_alarm_menu(m_state->menu_inputs()); }

void CTodayItemWindow::open_menu(const std::vector<MenuEntry>& entries, QPoint local) {
    QMenu menu(this);
    uint32_t chosen = 0;
    add_entries(menu, entries, [&chosen](uint32_t number) { chosen = number; });
    platform::gui::exec_popup_menu(menu, *this, mapToGlobal(local));
    if (chosen != 0) run_command(chosen);
}

void CTodayItemWindow::run_command(uint32_t command_number) {
    bool holds_city[4] {};
    m_state->slot_flags(holds_city);
    CommandContext context { m_state->settings(), m_state->skin_list(), holds_city, m_state->alarm_ids(),
                             m_state->store(), *m_reach };
    const CommandEffect effect = run_item_command(command_number, context);
    // An alarm command reads the store afresh, which the alarm list points into.
    m_state->reload_alarms();
    if (effect == CommandEffect::Reload) reload();
    if (effect == CommandEffect::Redraw) update();
}

}  // namespace zt::today
