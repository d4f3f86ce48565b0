#include "skins/clocks/alarm_icons.h"

#include "skins/drawing.h"
#include "skins/skin_manager.h"

namespace zt::skins {

int alarm_badge(const AlarmMark& mark) {
    if (!mark.enabled) return kDisabledBadge;
    return mark.hour < 12 ? kMorningBadge : kAfternoonBadge;
}

std::optional<CImageStrip> load_required_strip(CSkinManager& skins, std::u16string_view image_name) {
    CImageStrip strip = skins.load_image_strip(image_name);
    if (!strip.valid() || strip.part_count() == 0) return std::nullopt;
    return strip;
}

bool CAlarmIcons::load(CSkinManager& skins) {
    m_icon = load_required_strip(skins, kAlarmSetIconImage);
    m_badges = load_required_strip(skins, kAlarmMarkersImage);
    m_old = load_required_strip(skins, kAlarmOldImage);
    m_new = load_required_strip(skins, kAlarmNewImage);
    return m_icon.has_value();
}

void CAlarmIcons::release() {
    m_icon.reset();
    m_badges.reset();
    m_old.reset();
    m_new.reset();
}

Point CAlarmIcons::icon_size() const {
    if (!m_icon) return {};
    const int s = m_icon->shift();
    return { m_icon->half_width() << s, m_icon->part(0)->height << s };
}

Rect CAlarmIcons::box(Point centre) const {
    const Point size = icon_size();
    const Point top_left { centre.x - size.x / 2, centre.y - size.y / 2 };
    return { top_left.x, top_left.y, top_left.x + size.x, top_left.y + size.y };
}

void CAlarmIcons::draw(CPicture& canvas, Point centre, const AlarmMark& mark, IconLook look) const {
    if (!m_icon) return;
    const Point size = icon_size();
    const Point top_left { centre.x - size.x / 2, centre.y - size.y / 2 };
    const std::optional<CImageStrip>& moved = look == IconLook::Old ? m_old : m_new;
    draw_part(canvas, look != IconLook::Set && moved ? *moved : *m_icon, 0, 0, 0, top_left.x, top_left.y);
    if (!m_badges) return;
    const int glyph = alarm_badge(mark);
    std::optional<StripPart> badge = m_badges->part(glyph);
    if (!badge) return;
    const int s = m_badges->shift();
    draw_part(canvas, *m_badges, glyph, 0, 0, top_left.x + size.x - (m_badges->half_width() << s),
              top_left.y + size.y - (badge->height << s));
}

}  // namespace zt::skins
