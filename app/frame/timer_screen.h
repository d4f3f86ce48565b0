#pragma once
// CTimerScreen: what the stopwatch and the two slot screens share. Each shows timer records
// over a background image of the skin with its control buttons and the timer digits
// ("TimerDigits.png", the one image it cannot do without); each keeps the device awake while a
// timer runs and saves laps through the same dialog and error box; each turns a pen lift into a
// tap at a point.
#include <QWidget>

#include <optional>
#include <string_view>

#include "app/frame/screen.h"
#include "app/frame/screen_sources.h"
#include "app/frame/timer_layouts.h"
#include "app/model/lap_file.h"
#include "app/model/timer_keep_awake.h"
#include "skins/image_strip.h"

namespace zt::app {

class CTimerScreen : public CScreen {
public:
    CTimerScreen(ScreenNumber number, uint32_t refresh_period_ms, const ScreenSources& sources,
                 std::u16string_view image_name, std::u16string_view controls_name);

    bool activate() override;
    bool reload_images() override;
    void release_images() override;

    // A tap at a point of the screen (its own coordinates), as the pen gives it.
    virtual void tap(skins::Point point) = 0;
    // Tests replace the device's keep-awake, the save dialog and the error box.
    void set_keep_awake(CTimerKeepAwake::KeepAwake keep_awake);
    void set_lap_file_ui(LapFileUi ui) { m_lap_file_ui = std::move(ui); }

protected:
    // The digits are required; the background and the controls are not (the layout is then
    // worked out and the buttons are only places to tap). False without the digits.
    virtual bool load_images();
    virtual void drop_images();

    const ScreenSources& sources() const { return m_sources; }
    CTimerKeepAwake& keep_awake() { return m_keep_awake; }
    const LapFileUi& lap_file_ui() const { return m_lap_file_ui; }
    const skins::CImageStrip* image() const { return m_image ? &*m_image : nullptr; }
    const skins::CImageStrip* controls() const { return m_controls ? &*m_controls : nullptr; }
    const skins::CImageStrip* digits() const { return m_digits ? &*m_digits : nullptr; }
    // The size the screen lays itself out in: its area; or, when the skin's background image is
    // taller than the area (a landscape screen), the area enlarged to the image's height. The
    // content is then drawn at that size and shrunk into the area, and taps are mapped back.
    skins::Point layout_size() const;
    // Draws the content at layout_size().
    virtual void compose(skins::CPicture& canvas) = 0;
    void draw_content(skins::CPicture& canvas) final;

    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    ScreenSources m_sources;
    const std::u16string_view m_image_name;
    const std::u16string_view m_controls_name;
    CTimerKeepAwake m_keep_awake;
    LapFileUi m_lap_file_ui;
    std::optional<skins::CImageStrip> m_image;
    std::optional<skins::CImageStrip> m_controls;
    std::optional<skins::CImageStrip> m_digits;
};

}  // namespace zt::app
