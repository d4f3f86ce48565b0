#include "app/frame/screen.h"

#include <QPainter>
#include <QRegion>

#include "app/frame/skin_backdrop.h"
#include "skins/drawing.h"
#include "skins/opacity.h"
#include "skins/picture_qimage.h"

namespace zt::app {

CScreen::CScreen(ScreenNumber number, uint32_t refresh_period_ms, skins::CSkinManager& skins)
    : m_number(number), m_refresh_period_ms(refresh_period_ms), m_skins(skins) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

CScreen::~CScreen() = default;

bool CScreen::create(QWidget* dialog) {
    if (!dialog) return false;
    setParent(dialog);
    hide();
    return true;
}

bool CScreen::activate() {
    if (m_already_active) return true;
    if (!ensure_background()) return false;
    m_already_active = true;
    return true;
}

void CScreen::deactivate() { m_already_active = false; }

bool CScreen::tick() { return false; }

bool CScreen::needs_refresh() const { return false; }

bool CScreen::handle_action(int) { return false; }

bool CScreen::key_released(uint32_t) { return false; }

bool CScreen::reload_images() {
    m_background.reset();
    m_stale = true;
    return ensure_background();
}

void CScreen::release_images() {
    m_background.reset();
    m_picture.reset();
    m_shown = QImage();
    m_stale = true;
}

void CScreen::set_layout(const ScreenLayout& layout) {
    if (layout.landscape != m_layout.landscape) m_background.reset();
    const bool moved = !(layout == m_layout);
    m_layout = layout;
    setGeometry(layout.area.left, layout.area.top, layout.area.width(), layout.area.height());
    // The dialog lays out again often; an unchanged screen keeps what it drew.
    if (m_already_active && (moved || m_stale)) redraw();
}

bool CScreen::ensure_background() {
    if (m_background && m_background_landscape == m_layout.landscape) return true;
    m_background = m_background_source ? m_background_source(m_layout.landscape)
                                       : load_background(m_skins, m_layout.landscape);
    m_background_landscape = m_layout.landscape;
    m_stale = true;
    return m_background != nullptr;
}

void CScreen::redraw() {
    const skins::Rect& area = m_layout.area;
    if (area.width() <= 0 || area.height() <= 0) return;
    if (!m_picture || m_picture->width() != area.width() || m_picture->height() != area.height()) {
        m_picture = skins::CPicture::create(area.width(), area.height());
        if (!m_picture) return;
    }
    skins::fill_picture(*m_picture, {});
    const skins::CPicture* slides = m_slide_show_source ? m_slide_show_source() : nullptr;
    if (slides) {
        skins::ScopedOpacity opaque(skins::kOpaque, skins::kOpaque);
        skins::copy_with_opacity(*m_picture, *slides, area.left, area.top, area.width(), area.height(), 0, 0);
    } else if (ensure_background()) {
        // The background picture covers the whole dialog: take the part under this screen.
        skins::ScopedOpacity opaque(skins::kOpaque, skins::kOpaque);
        skins::copy_with_opacity(*m_picture, *m_background, area.left, area.top, area.width(), area.height(), 0, 0);
    }
    const int32_t opacity = m_opacity_source ? m_opacity_source() : skins::kOpaque;
    if (opacity < skins::kOpaque) {
        // The clocks draw their parts with the global opacity; a copy (the world screen's map)
        // takes it on top of a copy opacity just below opaque, so it fades by the same amount.
        skins::ScopedOpacity fade(opacity, skins::kOpaque - 1);
        draw_content(*m_picture);
    } else {
        draw_content(*m_picture);
    }
    skins::to_qimage(*m_picture, m_shown);
    m_stale = false;
    update();
}

void CScreen::draw_content(skins::CPicture&) {}

void CScreen::redraw_part(std::span<const skins::Rect> boxes, const std::function<void(skins::CPicture&)>& paint) {
    if (!m_picture || m_stale) {
        redraw();
        return;
    }
    paint(*m_picture);
    skins::to_qimage(*m_picture, m_shown);
    QRegion region;
    for (const skins::Rect& box : boxes) region += QRect(box.left, box.top, box.width(), box.height());
    update(region);
}

void CScreen::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (m_shown.isNull()) {
        painter.fillRect(rect(), Qt::black);
        return;
    }
    painter.drawImage(0, 0, m_shown);
}

}  // namespace zt::app
