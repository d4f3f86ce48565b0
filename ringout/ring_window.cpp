#include "ringout/ring_window.h"

#include <QMenu>
#include <QMouseEvent>
#include <QPainter>

#include "platform/base/clock.h"
#include "platform/gui/control_id.h"
#include "platform/gui/locale_clock.h"
#include "platform/gui/pen_capture.h"
#include "platform/gui/task_bar.h"
#include "platform/gui/window_placement.h"
#include "platform/power/user_activity.h"
#include "platform/profile/device_profile.h"
#include "platform/windows/message.h"
#include "platform/windows/message_sender.h"
#include "platform/windows/qt/window_message_event.h"
#include "core/sound/device_alerting.h"
#include "ringout/ring_controller.h"
#include "skins/drawing.h"
#include "skins/picture_qimage.h"
#include "skins/text_cut.h"
#include "texts/text_table.h"

namespace zt::ringout {
namespace {

constexpr uint32_t kKeepAwakeEveryMs = 10'000;
constexpr uint32_t kClockPeriodMs = 1000;
// The title's and the clock's pixel heights at normal resolution (doubled at high).
constexpr int kTitleFontPixels = 16;
constexpr int kClockFontPixels = 40;

QString to_qstring(std::u16string_view text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

QRect to_qrect(const zt::platform::Rect& rect) {
    return QRect(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
}

// The part's top-left corner for the part centred horizontally in the rectangle, at its top
// (or centred vertically too).
void draw_centred(zt::skins::CPicture& canvas, const zt::skins::CImageStrip& strip, int index,
                  const zt::platform::Rect& rect, bool centre_vertically) {
    const auto part = strip.part(index);
    if (!strip.valid() || !part) return;
    const int32_t width = strip.half_width() << strip.shift();
    const int32_t height = part->height << strip.shift();
    const int32_t x = rect.left + (rect.right - rect.left - width) / 2;
    const int32_t y = centre_vertically ? rect.top + (rect.bottom - rect.top - height) / 2 : rect.top;
    zt::skins::draw_part(canvas, strip, index, 0, 0, x, y);
}

}  // namespace

RingWindow::RingWindow(const RingStrips& strips, CommandHandler on_command, Translate translate)
    : m_strips(strips), m_on_command(std::move(on_command)), m_translate(std::move(translate)) {
    const auto profile = zt::platform::read_device_profile();
    m_high_resolution = profile.screen_width > 400;
    m_appearance.large_fonts = m_translate && m_translate(zt::app::kLargeFontsKey) == u"1";
    m_appearance.dpi = static_cast<int>(profile.dpi);
    setWindowTitle(to_qstring(kRingWindowTitle));
    zt::platform::gui::set_topmost(*this, true);
    resize(static_cast<int>(profile.screen_width), static_cast<int>(profile.screen_height) * 3 / 4);
    m_timers.set(kClockTimer, kClockPeriodMs);
    m_snooze_menu = new QMenu(this);
    connect(m_snooze_menu, &QMenu::aboutToShow, this, [this] { fill_snooze_menu(); });
    fill_snooze_menu();
    m_soft_keys = std::make_unique<zt::platform::gui::SoftKeyBar>(nullptr, [this](uint32_t command) { run_command(command); });
    zt::platform::gui::set_control_id(*this, kRingWindowResource);
    zt::platform::gui::set_control_id(*m_soft_keys, kSoftKeyBarId);
    zt::platform::gui::set_drawn_controls(*this, [this] { return drawn_buttons(); });
    zt::platform::gui::set_topmost(*m_soft_keys, true);
    zt::platform::gui::apply_fonts(*this, m_appearance);
    zt::platform::gui::apply_fonts(*m_soft_keys, m_appearance);
    m_pump = zt::platform::QtMessagePump::create(kRingWindowClass, kRingWindowTitle, this,
                                                 zt::platform::WindowOptions { .visible = false });
}

RingWindow::~RingWindow() = default;

std::u16string RingWindow::word(std::u16string_view english) const {
    return m_translate ? m_translate(english) : std::u16string(english);
}

void RingWindow::prepare_soft_keys() {
    // The previous item's two buttons go first.
    m_soft_keys->remove_first_button();
    m_soft_keys->remove_first_button();
    if (m_entry->item_type == zt::core::ItemType::Timer) {
        m_soft_keys->add_text_button(word(u"Dismiss"), kCommandDismiss);
        m_soft_keys->add_text_button(word(u"Restart"), kCommandRestart);
    } else {
        m_soft_keys->add_menu_button(word(u"Snooze"), m_snooze_menu);
        m_soft_keys->add_text_button(word(u"Dismiss"), kCommandDismiss, true);
    }
    const QRect frame = geometry();
    m_soft_keys->setGeometry(frame.left(), frame.bottom() + 1, frame.width(), zt::platform::gui::SoftKeyBar::kButtonHeight * 2);
    zt::platform::gui::apply_fonts(*m_soft_keys, m_appearance);
    zt::platform::gui::bring_to_front(*m_soft_keys);
}

void RingWindow::fill_snooze_menu() {
    m_snooze_menu->clear();
    const std::u16string minutes_word = word(u"min");
    for (size_t index = 0; index < std::size(kSnoozeMenuMinutes); ++index) {
        const QString text = QString::number(kSnoozeMenuMinutes[index]) + u' ' + to_qstring(minutes_word);
        const uint32_t command = kSnoozeMenuFirst + static_cast<uint32_t>(index);
        QAction* item = m_snooze_menu->addAction(text, this, [this, command] { run_command(command); });
        zt::platform::gui::set_control_id(*item, static_cast<int32_t>(command));
    }
}

void RingWindow::show_entry(const RingEntry& entry) {
    m_entry = entry;
    if (!m_powered_on) {
        sound::CDeviceAlerting::instance().power_on_display();
        m_powered_on = true;
    }
    prepare_soft_keys();
    zt::platform::gui::bring_to_front(*this, m_pump ? &m_pump->window() : nullptr);
    update();
    tick_clock();
}

void RingWindow::hide_entry() {
    m_entry.reset();
    hide();
    m_soft_keys->hide();
}

CButtonGroup* RingWindow::active_group() {
    if (!m_entry || !m_strips.buttons.valid()) return nullptr;
    return m_entry->item_type == zt::core::ItemType::Timer ? &m_timer_group : &m_alarm_group;
}

RingLayout RingWindow::layout() const {
    return compute_ring_layout({ 0, 0, width(), height() }, m_high_resolution);
}

int RingWindow::pressed_button() const {
    if (!m_entry) return -1;
    return m_entry->item_type == zt::core::ItemType::Timer ? m_timer_group.pressed() : m_alarm_group.pressed();
}

void RingWindow::place_buttons(const RingLayout& layout) {
    m_dismiss.rect = layout.left_button;
    m_snooze.rect = layout.right_button;
    m_restart.rect = layout.right_button;
}

std::vector<zt::platform::gui::DrawnControl> RingWindow::drawn_buttons() {
    std::vector<zt::platform::gui::DrawnControl> controls;
    CButtonGroup* group = active_group();
    if (!group) return controls;
    place_buttons(layout());
    for (size_t index = 0; index < group->buttons().size(); ++index) {
        const ImageButton& button = *group->buttons()[index];
        const std::u16string_view english = button.command == kCommandDismiss ? u"Dismiss"
                                            : button.command == kCommandSnooze ? u"Snooze"
                                                                               : u"Restart";
        zt::platform::gui::DrawnControl control;
        control.id = static_cast<int32_t>(button.command);
        control.text = word(english);
        control.rect = to_qrect(button.rect);
        if (group->pressed() == static_cast<int>(index)) control.states.emplace_back("selected");
        controls.push_back(std::move(control));
    }
    return controls;
}

zt::platform::WindowHandle RingWindow::device_window() const { return m_pump ? m_pump->window().handle() : 0; }

void RingWindow::on_timer(uint32_t id) {
    if (id == kClockTimer) tick_clock();
}

void RingWindow::tick_clock() {
    const uint32_t tick = zt::platform::tick_count();
    if (tick - m_last_keep_awake > kKeepAwakeEveryMs) {
        sound::CDeviceAlerting::instance().keep_awake();
        m_last_keep_awake = tick;
    }
    const auto now = zt::platform::local_time();
    if (now.wMinute == m_displayed_minute) return;
    m_displayed = now;
    m_displayed_minute = now.wMinute;
    update(to_qrect(layout().clock));
}

std::u16string RingWindow::clock_text() const {
    if (m_displayed_minute >= 60) return {};
    // The device's short time without seconds, on its 12- or 24-hour clock as every clock of
    // the device shows it (the task bar's too).
    return zt::platform::gui::format_task_bar_time(m_displayed, zt::platform::gui::locale_time_indicator() == u"1");
}

void RingWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QColor background = palette().color(QPalette::Window);
    CButtonGroup* group = active_group();
    if (!group) {
        painter.fillRect(rect(), background);
        return;
    }
    const RingLayout parts = layout();
    place_buttons(parts);
    auto canvas = zt::skins::CPicture::create(width(), height());
    if (!canvas) return;
    zt::skins::fill_picture(*canvas, { static_cast<uint8_t>(background.red()), static_cast<uint8_t>(background.green()),
                                       static_cast<uint8_t>(background.blue()) });
    draw_centred(*canvas, m_strips.pictures, m_entry->item_type == zt::core::ItemType::Timer ? 1 : 0, parts.picture,
                 false);
    for (size_t index = 0; index < group->buttons().size(); ++index) {
        const ImageButton& button = *group->buttons()[index];
        draw_centred(*canvas, m_strips.buttons, button.frame(group->pressed() == static_cast<int>(index)), button.rect,
                     true);
    }
    painter.drawImage(0, 0, zt::skins::to_qimage(*canvas));

    painter.setPen(Qt::black);
    QFont title_font = font();
    title_font.setBold(true);
    title_font.setPixelSize(m_high_resolution ? kTitleFontPixels * 2 : kTitleFontPixels);
    painter.setFont(title_font);
    const QFontMetrics metrics(title_font);
    const auto measure = [&](std::u16string_view text) { return metrics.horizontalAdvance(to_qstring(text)); };
    const std::u16string title = zt::skins::cut_text_to_width(m_entry->title, parts.title.right - parts.title.left, measure);
    painter.drawText(to_qrect(parts.title), Qt::AlignCenter | Qt::TextSingleLine, to_qstring(title));

    if (m_displayed_minute < 60) {
        QFont clock_font = font();
        clock_font.setBold(true);
        clock_font.setPixelSize(m_high_resolution ? kClockFontPixels * 2 : kClockFontPixels);
        painter.setFont(clock_font);
        painter.drawText(to_qrect(parts.clock), Qt::AlignCenter | Qt::TextSingleLine, to_qstring(clock_text()));
    }
}

void RingWindow::repaint_rects(const std::vector<zt::platform::Rect>& rects) {
    for (const auto& rect : rects) update(to_qrect(rect));
}

void RingWindow::mousePressEvent(QMouseEvent* event) {
    zt::platform::signal_user_activity();
    CButtonGroup* group = active_group();
    if (!group) return;
    place_buttons(layout());
    zt::platform::gui::capture_pen(*this);
    repaint_rects(group->track({ event->position().toPoint().x(), event->position().toPoint().y() }));
}

void RingWindow::mouseMoveEvent(QMouseEvent* event) {
    CButtonGroup* group = active_group();
    if (!group || !(event->buttons() & Qt::LeftButton)) return;
    repaint_rects(group->track({ event->position().toPoint().x(), event->position().toPoint().y() }));
}

void RingWindow::mouseReleaseEvent(QMouseEvent*) {
    if (zt::platform::gui::pen_capture_owner() == this) zt::platform::gui::release_pen();
    CButtonGroup* group = active_group();
    if (!group) return;
    std::vector<zt::platform::Rect> repaint;
    const auto command = group->release(&repaint);
    repaint_rects(repaint);
    // Posted, as the pen's release is: the answer runs after this event has been handled.
    if (command && m_pump) zt::platform::post_message(m_pump->window().handle(), zt::platform::WM_COMMAND, *command, 0);
}

bool RingWindow::event(QEvent* event) {
    if (event->type() == zt::platform::WindowMessageEvent::event_type()) {
        auto* message_event = static_cast<zt::platform::WindowMessageEvent*>(event);
        if (message_event->message().number == zt::platform::WM_COMMAND) {
            run_command(message_event->message().wparam & 0xFFFFu);
            message_event->set_answer(0);
        }
        return true;
    }
    return QWidget::event(event);
}

void RingWindow::run_command(uint32_t command) {
    if (m_on_command) m_on_command(command);
}

}  // namespace zt::ringout
