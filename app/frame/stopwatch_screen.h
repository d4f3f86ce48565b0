#pragma once
// CStopwatchScreen: a stopwatch of the screen's own (a count-up timer with id 0, never stored)
// in big digits with its milliseconds, the newest laps (split and total) below, and start/stop,
// lap/reset and save buttons from the skin.
//
// It wakes every 25 ms only while the stopwatch runs; stopped or paused it costs nothing.
#include <optional>

#include "app/frame/timer_screen.h"
#include "core/timer.h"

namespace zt::app {

class CStopwatchScreen final : public CTimerScreen {
public:
    static constexpr uint32_t kRefreshMs = 25;
    // The lap list shows this many lines: the font is a fifth of its height.
    static constexpr int kLapLines = 5;

    explicit CStopwatchScreen(const ScreenSources& sources);

    bool tick() override;
    bool needs_refresh() const override { return m_timer.state == core::CTimer::kRunning; }
    // 1 start/stop, 2 lap/reset, 3 save the laps.
    bool handle_action(int action) override;
    void tap(skins::Point point) override;

    StopwatchLayout stopwatch_layout() const;
    core::CTimer& timer() { return m_timer; }

protected:
    bool load_images() override;
    void drop_images() override;
    void compose(skins::CPicture& canvas) override;

private:
    void changed(bool was_running);
    void draw_laps(skins::CPicture& canvas, const StopwatchLayout& places) const;

    core::CTimer m_timer { 0 };
    std::optional<skins::CImageStrip> m_big_digits;
    int64_t m_drawn_ms { -1 };
};

}  // namespace zt::app
