#pragma once
// The analog and the digital clock screens: each draws its face of the current skin over the
// background with the local time, the settings and the store's alarms.
//
// A tick reads all that and answers whether the picture would differ from the last one (the
// second, or only the minute when seconds are hidden, the date, what is shown, the alarms):
// only then is the frame composed again. Without seconds the screen wakes once a second
// instead of twice.
//
// On both clocks alarms are set with the pen (CAlarmEdit holds the rules): an alarm's icon is
// dragged to a new time in quarter hours, the alarm control over the clock then steps the
// digits and confirms, deletes, cancels or opens the alarm editor; a tap-and-hold on the
// clock opens the clock menu (new alarms at the held point, what the clock shows, options).
#include <QPoint>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "app/frame/screen.h"
#include "app/frame/screen_sources.h"
#include "app/model/alarm_edit.h"
#include "platform/base/system_time.h"
#include "skins/clocks/alarm_control.h"
#include "skins/clocks/analog_clock.h"
#include "skins/clocks/digital_clock.h"

class QMenu;

namespace zt::platform::gui {
class WindowTimers;
}

namespace zt::app {

class CClockScreen : public CScreen {
public:
    static constexpr uint32_t kRefreshMs = 500;
    static constexpr uint32_t kRefreshWithoutSecondsMs = 1000;
    // Auto-repeat of a held arrow of the alarm control.
    static constexpr uint32_t kRepeatTimer = 101;
    static constexpr uint32_t kRepeatMs = 300;

    CClockScreen(ScreenNumber number, const ScreenSources& sources);
    ~CClockScreen() override;

    bool activate() override;
    // Leaving the screen drops an alarm being set.
    void deactivate() override;
    // 0 a new alarm at the default alarm's time, 6 shows or hides the alarms.
    bool handle_action(int action) override;
    bool tick() override;
    bool needs_refresh() const override { return true; }
    uint32_t refresh_period_ms() const override;
    bool reload_images() override;
    void release_images() override;
    void set_layout(const ScreenLayout& layout) override;

    // The pen on the screen (its own coordinates), as the device gives it.
    void pen_down(skins::Point point);
    void pen_move(skins::Point point);
    void pen_up(skins::Point point);
    // The clock menu a tap-and-hold at that point opens (tests and the device's tools read it).
    std::unique_ptr<QMenu> make_menu(skins::Point held);
    // "New Alarm", "New One Time Alarm" (at a time in minutes of the day) and action 0 (none:
    // the default alarm's time).
    void new_alarm(bool one_time, std::optional<int> minutes);
    void set_show_alarms(bool show);
    const CAlarmEdit& alarm_edit() const { return *m_edit; }
    const skins::CAlarmControlFace& control() const { return m_control; }
    // Where an alarm at that time has its icon, and the time a point stands for (snapped).
    virtual skins::Point alarm_position(const skins::DayTime& time) const = 0;
    int time_at(skins::Point point, int previous_hour) const;
    platform::gui::WindowTimers& timers() { return *m_timers; }

protected:
    // The alarm being set, as far as the picture shows it.
    struct EditView {
        AlarmEditState state { AlarmEditState::Idle };
        skins::DayTime time;
        bool moved { false };
        bool operator==(const EditView&) const = default;
    };
    // What one frame shows; two equal states draw the same picture.
    struct FrameState {
        platform::SYSTEMTIME time {};  // seconds and milliseconds cleared when not shown
        skins::ClockShow show;
        std::vector<skins::AlarmMark> alarms;  // the alarm being set left out
        EditView edit;
        bool operator==(const FrameState&) const = default;
    };

    virtual bool load_face(const skins::ClockShow& show) = 0;
    virtual bool face_loaded_for(const skins::ClockShow& show) const = 0;
    virtual void release_face() = 0;
    virtual void place_face(const skins::ClockPlacement& placement) = 0;
    // The face with the alarms of the frame; the alarm control's image (when open) under the
    // icons.
    virtual void compose(skins::CPicture& canvas, const FrameState& frame, const skins::CAlarmControlFace* control) = 0;
    virtual const skins::CAlarmIcons& icons() const = 0;
    // The raw time of a point (unsnapped; 24:00 possible), morning or afternoon after the
    // previous hour where the face needs it.
    virtual skins::DayTime face_time_at(skins::Point point, int previous_hour) const = 0;
    virtual DayEnd day_end() const = 0;
    virtual bool has_calendar() const { return false; }

    void draw_content(skins::CPicture& canvas) override;
    skins::ClockPlacement placement() const;
    ScreenSources& sources() { return m_sources; }
    const FrameState& frame() const { return m_frame; }
    // Reads the state now and draws it.
    void show_now();
    void toggle_setting(std::u16string_view name);

    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    FrameState read_state() const;
    // Makes `next` the frame shown; true when it differs from the last one.
    bool take_state(FrameState next);
    bool ensure_face(const skins::ClockShow& show);
    bool control_open() const;
    // Whether a press there is the clock's own (an icon, or anything while the control is
    // open), which the tap-and-hold recogniser then never sees.
    bool takes_press(skins::Point point) const;
    // The first alarm of the store whose icon covers the point.
    const core::CAlarm* alarm_at(skins::Point point) const;
    void press_control(const skins::ControlHit& hit);
    void step_digit(TimeDigit digit, int direction);
    void open_full_editor();
    // The edited alarm's icons (and the control's digits when open) over the composed frame.
    void draw_edit(skins::CPicture& canvas);
    // A drag moved the edited icon: only its old and new boxes are drawn again.
    void redraw_dragged_icon();
    void on_timer(uint32_t id);

    ScreenSources m_sources;
    std::shared_ptr<CAlarmEdit> m_edit;
    skins::CAlarmControlFace m_control;
    std::unique_ptr<platform::gui::WindowTimers> m_timers;
    FrameState m_frame;
    bool m_ticked { false };
    // The composed frame without the edited alarm, under a dragged icon.
    std::optional<skins::CPicture> m_under_edit;
};

class CAnalogClockScreen final : public CClockScreen {
public:
    explicit CAnalogClockScreen(const ScreenSources& sources) : CClockScreen(ScreenNumber::AnalogClock, sources) {}
    const skins::CAnalogClockFace& face() const { return m_face; }
    skins::Point alarm_position(const skins::DayTime& time) const override { return m_face.alarm_position(time); }

private:
    bool load_face(const skins::ClockShow& show) override;
    bool face_loaded_for(const skins::ClockShow&) const override { return m_face.loaded(); }
    void release_face() override { m_face.release(); }
    void place_face(const skins::ClockPlacement& placement) override { m_face.place(placement); }
    void compose(skins::CPicture& canvas, const FrameState& frame, const skins::CAlarmControlFace* control) override;
    const skins::CAlarmIcons& icons() const override { return m_face.icons(); }
    skins::DayTime face_time_at(skins::Point point, int previous_hour) const override {
        return m_face.time_at(point, previous_hour);
    }
    DayEnd day_end() const override { return DayEnd::Midnight; }

    skins::CAnalogClockFace m_face;
};

class CDigitalClockScreen final : public CClockScreen {
public:
    explicit CDigitalClockScreen(const ScreenSources& sources) : CClockScreen(ScreenNumber::DigitalClock, sources) {}
    const skins::CDigitalClockFace& face() const { return m_face; }
    skins::Point alarm_position(const skins::DayTime& time) const override { return m_face.alarm_position(time); }
    // Also 5: shows or hides the calendar (in memory only).
    bool handle_action(int action) override;

private:
    bool load_face(const skins::ClockShow& show) override;
    // The alarm bars differ between a 12-hour and a 24-hour clock.
    bool face_loaded_for(const skins::ClockShow& show) const override {
        return m_face.loaded() && m_face.twelve_hour() == show.twelve_hour;
    }
    void release_face() override { m_face.release(); }
    void place_face(const skins::ClockPlacement& placement) override { m_face.place(placement); }
    void compose(skins::CPicture& canvas, const FrameState& frame, const skins::CAlarmControlFace* control) override;
    const skins::CAlarmIcons& icons() const override { return m_face.icons(); }
    skins::DayTime face_time_at(skins::Point point, int) const override { return m_face.time_at(point); }
    DayEnd day_end() const override { return DayEnd::LastQuarter; }
    bool has_calendar() const override { return true; }

    skins::CDigitalClockFace m_face;
};

}  // namespace zt::app
