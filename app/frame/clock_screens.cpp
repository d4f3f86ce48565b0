#include "app/frame/clock_screens.h"

#include <algorithm>

#include "app/model/clock_state.h"
#include "core/time_store.h"
#include "platform/base/clock.h"
#include "platform/gui/locale_calendar.h"
#include "platform/gui/tap_and_hold.h"
#include "platform/gui/window_timers.h"
#include "skins/digits.h"

namespace zt::app {

CClockScreen::CClockScreen(ScreenNumber number, const ScreenSources& sources)
    : CScreen(number, kRefreshMs, sources.skins),
      m_sources(sources),
      m_edit(sources.alarm_edit ? sources.alarm_edit : std::make_shared<CAlarmEdit>()),
      m_timers(std::make_unique<platform::gui::WindowTimers>([this](uint32_t id) { on_timer(id); })) {
    // The pen on an icon or on the open control is the clock's at once; elsewhere a held pen
    // opens the clock menu (contextMenuEvent).
    auto* recogniser = new platform::gui::TapAndHold(*this);
    recogniser->set_press_filter([this](QPoint p) { return takes_press({ p.x(), p.y() }); });
}

CClockScreen::~CClockScreen() = default;

namespace {

skins::ClockPlacement placement_of(const ScreenLayout& l) {
    return { l.area.width(), l.area.height(), l.landscape || l.square_screen, l.full_screen, l.high_resolution };
}

}  // namespace

skins::ClockPlacement CClockScreen::placement() const { return placement_of(layout()); }

CClockScreen::FrameState CClockScreen::read_state() const {
    FrameState state;
    state.time = platform::local_time();
    const bool screensaver = m_sources.screensaver_running && m_sources.screensaver_running();
    state.show = clock_show(m_sources.settings, screensaver, skins::twelve_hour_clock());
    if (!state.show.seconds) state.time.wSecond = 0;
    state.time.wMilliseconds = 0;
    state.alarms = alarm_marks(m_sources.store);
    if (m_edit->state() != AlarmEditState::Idle) {
        state.edit = { m_edit->state(), m_edit->time(), m_edit->moved() };
        if (const std::optional<int32_t> stored = m_edit->stored_id())
            std::erase_if(state.alarms, [&](const skins::AlarmMark& mark) { return mark.id == *stored; });
    }
    return state;
}

bool CClockScreen::ensure_face(const skins::ClockShow& show) {
    if (face_loaded_for(show)) return true;
    if (!load_face(show)) return false;
    place_face(placement());
    // A skin without the control still shows alarms; they are then only moved and confirmed
    // by the next tap.
    if (m_control.load(skins())) m_control.place(placement());
    return true;
}

bool CClockScreen::activate() {
    if (active()) return true;
    // A skin that cannot show this clock refuses it, and the dialog says so.
    if (!ensure_face(read_state().show)) return false;
    return CScreen::activate();
}

void CClockScreen::deactivate() {
    m_timers->kill(kRepeatTimer);
    m_edit->cancel();
    m_under_edit.reset();
    CScreen::deactivate();
}

bool CClockScreen::tick() {
    FrameState next = read_state();
    ensure_face(next.show);
    return take_state(std::move(next));
}

bool CClockScreen::take_state(FrameState next) {
    const bool seconds_changed = next.show.seconds != m_frame.show.seconds;
    const bool changed = !m_ticked || !(next == m_frame);
    m_frame = std::move(next);
    m_ticked = true;
    if (seconds_changed) refresh_needs_changed();
    return changed;
}

uint32_t CClockScreen::refresh_period_ms() const { return m_frame.show.seconds ? kRefreshMs : kRefreshWithoutSecondsMs; }

bool CClockScreen::reload_images() {
    const bool background = CScreen::reload_images();
    release_face();
    return ensure_face(read_state().show) && background;
}

void CClockScreen::release_images() {
    CScreen::release_images();
    release_face();
    m_control.release();
    m_under_edit.reset();
}

void CClockScreen::set_layout(const ScreenLayout& screen_layout) {
    // Placed first: the base draws at once when the screen is showing.
    place_face(placement_of(screen_layout));
    m_control.place(placement_of(screen_layout));
    CScreen::set_layout(screen_layout);
}

bool CClockScreen::control_open() const {
    return m_edit->state() == AlarmEditState::Open && m_frame.show.alarms && m_control.loaded();
}

void CClockScreen::show_now() {
    take_state(read_state());
    redraw();
}

void CClockScreen::draw_content(skins::CPicture& canvas) {
    if (!m_ticked) {
        m_frame = read_state();
        m_ticked = true;
    }
    // Images dropped while the dialog was at the back come again with the first drawing.
    if (!ensure_face(m_frame.show)) return;
    compose(canvas, m_frame, control_open() ? &m_control : nullptr);
    m_under_edit.reset();
    if (m_edit->state() == AlarmEditState::Idle || !m_frame.show.alarms) return;
    m_under_edit = canvas.clone();
    draw_edit(canvas);
}

bool CAnalogClockScreen::load_face(const skins::ClockShow&) { return m_face.load(skins()); }

void CAnalogClockScreen::compose(skins::CPicture& canvas, const FrameState& frame, const skins::CAlarmControlFace* control) {
    m_face.compose(canvas, frame.time, frame.show, frame.alarms, control);
}

bool CDigitalClockScreen::load_face(const skins::ClockShow& show) { return m_face.load(skins(), show.twelve_hour); }

void CDigitalClockScreen::compose(skins::CPicture& canvas, const FrameState& frame, const skins::CAlarmControlFace* control) {
    m_face.compose(canvas, frame.time, frame.show, frame.alarms, platform::gui::calendar_locale(), control);
}

}  // namespace zt::app
