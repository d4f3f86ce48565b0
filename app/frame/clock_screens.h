#pragma once
// The analog and the digital clock screens: each draws its face of the current skin over the
// background with the local time, the settings and the store's alarms.
//
// A tick reads all that and answers whether the picture would differ from the last one (the
// second, or only the minute when seconds are hidden, the date, what is shown, the alarms):
// only then is the frame composed again. Without seconds the screen wakes once a second
// instead of twice.
#include <functional>
#include <vector>

#include "app/frame/screen.h"
#include "app/frame/screen_sources.h"
#include "platform/base/system_time.h"
#include "skins/clocks/analog_clock.h"
#include "skins/clocks/digital_clock.h"

namespace zt::app {

class CClockScreen : public CScreen {
public:
    static constexpr uint32_t kRefreshMs = 500;
    static constexpr uint32_t kRefreshWithoutSecondsMs = 1000;

    CClockScreen(ScreenNumber number, const ScreenSources& sources);

    bool activate() override;
    bool tick() override;
    bool needs_refresh() const override { return true; }
    uint32_t refresh_period_ms() const override;
    bool reload_images() override;
    void release_images() override;
    void set_layout(const ScreenLayout& layout) override;

protected:
    // What one frame shows; two equal states draw the same picture.
    struct FrameState {
        platform::SYSTEMTIME time {};  // seconds and milliseconds cleared when not shown
        skins::ClockShow show;
        std::vector<skins::AlarmMark> alarms;
        bool operator==(const FrameState&) const = default;
    };

    virtual bool load_face(const skins::ClockShow& show) = 0;
    virtual bool face_loaded_for(const skins::ClockShow& show) const = 0;
    virtual void release_face() = 0;
    virtual void place_face(const skins::ClockPlacement& placement) = 0;
    virtual void compose(skins::CPicture& canvas, const FrameState& frame) = 0;

    void draw_content(skins::CPicture& canvas) override;
    skins::ClockPlacement placement() const;

private:
    FrameState read_state() const;
    bool ensure_face(const skins::ClockShow& show);

    ScreenSources m_sources;
    FrameState m_frame;
    bool m_ticked { false };
};

class CAnalogClockScreen final : public CClockScreen {
public:
    explicit CAnalogClockScreen(const ScreenSources& sources) : CClockScreen(ScreenNumber::AnalogClock, sources) {}
    const skins::CAnalogClockFace& face() const { return m_face; }

private:
    bool load_face(const skins::ClockShow& show) override;
    bool face_loaded_for(const skins::ClockShow&) const override { return m_face.loaded(); }
    void release_face() override { m_face.release(); }
    void place_face(const skins::ClockPlacement& placement) override { m_face.place(placement); }
    void compose(skins::CPicture& canvas, const FrameState& frame) override;

    skins::CAnalogClockFace m_face;
};

class CDigitalClockScreen final : public CClockScreen {
public:
    explicit CDigitalClockScreen(const ScreenSources& sources) : CClockScreen(ScreenNumber::DigitalClock, sources) {}
    const skins::CDigitalClockFace& face() const { return m_face; }

private:
    bool load_face(const skins::ClockShow& show) override;
    // The alarm bars differ between a 12-hour and a 24-hour clock.
    bool face_loaded_for(const skins::ClockShow& show) const override {
        return m_face.loaded() && m_face.twelve_hour() == show.twelve_hour;
    }
    void release_face() override { m_face.release(); }
    void place_face(const skins::ClockPlacement& placement) override { m_face.place(placement); }
    void compose(skins::CPicture& canvas, const FrameState& frame) override;

    skins::CDigitalClockFace m_face;
};

}  // namespace zt::app
