#include "app/frame/timer_screen.h"

#include <QMouseEvent>

#include <algorithm>

#include "app/frame/timer_support.h"
#include "skins/clocks/alarm_icons.h"
#include "skins/drawing.h"

namespace zt::app {

CTimerScreen::CTimerScreen(ScreenNumber number, uint32_t refresh_period_ms, const ScreenSources& sources,
                           std::u16string_view image_name, std::u16string_view controls_name)
    : CScreen(number, refresh_period_ms, sources.skins),
      m_sources(sources),
      m_image_name(image_name),
      m_controls_name(controls_name),
      m_keep_awake(sources.settings, device_keep_awake()),
      m_lap_file_ui(program_lap_file_ui(this)) {}

void CTimerScreen::set_keep_awake(CTimerKeepAwake::KeepAwake keep_awake) {
    m_keep_awake = CTimerKeepAwake(m_sources.settings, std::move(keep_awake));
}

bool CTimerScreen::load_images() {
    if (!m_digits) m_digits = skins::load_required_strip(skins(), kTimerDigitsImage);
    if (!m_digits) return false;
    if (!m_image) m_image = skins::load_required_strip(skins(), m_image_name);
    if (!m_controls) m_controls = skins::load_required_strip(skins(), m_controls_name);
    return true;
}

void CTimerScreen::drop_images() {
    m_image.reset();
    m_controls.reset();
    m_digits.reset();
}

bool CTimerScreen::activate() {
    if (active()) return true;
    if (!load_images()) return false;
    return CScreen::activate();
}

bool CTimerScreen::reload_images() {
    const bool background = CScreen::reload_images();
    drop_images();
    return load_images() && background;
}

void CTimerScreen::release_images() {
    CScreen::release_images();
    drop_images();
}

skins::Point CTimerScreen::layout_size() const {
    const skins::Point area { layout().area.width(), layout().area.height() };
    const int32_t image_height = drawn_size(image()).y;
    if (area.y <= 0 || image_height <= area.y) return area;
    return { area.x * image_height / area.y, image_height };
}

void CTimerScreen::draw_content(skins::CPicture& canvas) {
    const skins::Point size = layout_size();
    if (size.x == canvas.width() && size.y == canvas.height()) {
        compose(canvas);
        return;
    }
    // Drawn large over the background enlarged, then shrunk back: all of it stays in view.
    std::optional<skins::CPicture> large = skins::CPicture::create(size.x, size.y);
    if (!large || !skins::scale_picture(large->view(), canvas.view(), skins::scale_mode::kStretch)) return;
    compose(*large);
    skins::scale_picture(canvas.view(), large->view(), skins::scale_mode::kStretch);
}

void CTimerScreen::mouseReleaseEvent(QMouseEvent* event) {
    const skins::Point size = layout_size();
    const int32_t height = std::max(1, layout().area.height());
    const auto x = static_cast<int32_t>(event->position().x());
    const auto y = static_cast<int32_t>(event->position().y());
    tap({ x * size.y / height, y * size.y / height });
}

}  // namespace zt::app
