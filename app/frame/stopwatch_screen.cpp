#include "app/frame/stopwatch_screen.h"

#include <algorithm>

#include "app/frame/timer_drawing.h"
#include "app/frame/timer_support.h"
#include "core/millisecond_clock.h"
#include "skins/clocks/alarm_icons.h"
#include "skins/drawing.h"
#include "skins/text_cut.h"

namespace zt::app {
namespace {

enum ControlPart { kStartPart = 0, kStopPart = 1, kLapPart = 2, kResetPart = 3, kSavePart = 4 };
// The lap list's text colour: value pixel 13 of "Stopwatch.png" when the skin gives one.
constexpr int kLapColourValue = 13;

}  // namespace

CStopwatchScreen::CStopwatchScreen(const ScreenSources& sources)
    : CTimerScreen(ScreenNumber::Stopwatch, kRefreshMs, sources, kStopwatchImage, kStopwatchControlImage) {
    m_timer.count_up = true;
    m_timer.reset();
}

bool CStopwatchScreen::load_images() {
    if (!CTimerScreen::load_images()) return false;
    // Without big digits the small ones serve.
    if (!m_big_digits) m_big_digits = skins::load_required_strip(skins(), kBigTimerDigitsImage);
    return true;
}

void CStopwatchScreen::drop_images() {
    CTimerScreen::drop_images();
    m_big_digits.reset();
}

StopwatchLayout CStopwatchScreen::stopwatch_layout() const {
    return app::stopwatch_layout(image(), layout_size(), layout().high_resolution);
}

bool CStopwatchScreen::tick() {
    const bool running = m_timer.state == core::CTimer::kRunning;
    keep_awake().tick(running);
    m_timer.sample(core::timer_now());
    return m_timer.shown_ms() != m_drawn_ms;
}

bool CStopwatchScreen::handle_action(int action) {
    const bool was_running = m_timer.state == core::CTimer::kRunning;
    switch (action) {
        case 1:
            m_timer.toggle();
            break;
        case 2:
            lap_or_reset(m_timer);
            break;
        case 3:
            // A stopwatch of the screen's own is never stored: nothing to save or reschedule.
            save_laps(m_timer, false, lap_file_ui());
            return true;
        default:
            return false;
    }
    changed(was_running);
    return true;
}

void CStopwatchScreen::changed(bool was_running) {
    m_timer.sample(core::timer_now());
    if (active()) redraw();
    if (was_running != (m_timer.state == core::CTimer::kRunning)) refresh_needs_changed();
}

void CStopwatchScreen::tap(skins::Point point) {
    const StopwatchLayout places = stopwatch_layout();
    if (inside(places.start, point)) handle_action(1);
    else if (inside(places.lap, point)) handle_action(2);
    else if (inside(places.save, point)) handle_action(3);
}

void CStopwatchScreen::compose(skins::CPicture& canvas) {
    if (!load_images()) return;
    const StopwatchLayout places = stopwatch_layout();
    if (image()) skins::draw_part(canvas, *image(), 0, 0, 0, places.origin.x, places.origin.y);
    const int64_t ms = m_timer.shown_ms();
    draw_timer_text(canvas, m_big_digits ? *m_big_digits : *digits(), timer_clock_text(ms), places.digits);
    draw_timer_text(canvas, *digits(), timer_millis_text(ms), places.millis);
    if (const skins::CImageStrip* buttons = controls()) {
        const bool running = m_timer.state == core::CTimer::kRunning;
        draw_centred_part(canvas, *buttons, running ? kStopPart : kStartPart, places.start);
        draw_centred_part(canvas, *buttons, running ? kLapPart : kResetPart, places.lap);
        draw_centred_part(canvas, *buttons, kSavePart, places.save);
    }
    draw_laps(canvas, places);
    m_drawn_ms = ms;
}

void CStopwatchScreen::draw_laps(skins::CPicture& canvas, const StopwatchLayout& places) const {
    const skins::Rect area = places.laps;
    const int32_t line_height = area.height() / kLapLines;
    if (line_height <= 0 || m_timer.laps().empty()) return;
    skins::Rgb colour { 0, 0, 0 };
    if (auto given = image() ? image()->value_colour(kLapColourValue) : std::nullopt) {
        colour = *given;
    } else if (canvas.contains((area.left + area.right) / 2, (area.top + area.bottom) / 2)) {
        // Without a colour from the skin: whichever of black and white stands out on the list.
        const skins::Rgb under = canvas.colour((area.left + area.right) / 2, (area.top + area.bottom) / 2);
        if (under.red + under.green + under.blue < 3 * 128) colour = { 255, 255, 255 };
    }
    skins::TextStyle style;
    style.font.height = line_height;
    style.font.weight = 400;
    style.colour = colour;
    // The newest laps, the newest at the bottom.
    const size_t count = m_timer.laps().size();
    const size_t lines = static_cast<size_t>(kLapLines);
    const size_t first = count > lines ? count - lines : 0;
    const int32_t column = area.width() / 2;
    // Two full times do not fit side by side in a fifth-height font: the hours are left out
    // while they are 0 (the lap file keeps them).
    const auto shown = [](int64_t ms) {
        const std::u16string text = core::format_lap_text(ms);
        return text.starts_with(u"00:") ? text.substr(3) : text;
    };
    for (size_t i = first; i < count; ++i) {
        const auto reading = m_timer.lap_reading(i);
        if (!reading) continue;
        const int32_t top = area.top + static_cast<int32_t>(i - first) * line_height;
        style.format = platform::gui::text_format::kLeft | platform::gui::text_format::kVCenter;
        skins::draw_text_cut_to_width(canvas, shown(reading->split_ms),
                                      { area.left + 2, top, area.left + column, top + line_height }, style, true);
        style.format = platform::gui::text_format::kRight | platform::gui::text_format::kVCenter;
        skins::draw_text_cut_to_width(canvas, shown(reading->time_ms),
                                      { area.left + column, top, area.right - 2, top + line_height }, style, true);
    }
}

}  // namespace zt::app
