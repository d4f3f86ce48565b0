#include "today/tab_clock.h"

#include <QWidget>

#include "platform/base/clock.h"
#include "today/item_icons.h"
#include "today/today_clock_face.h"
#include "today/today_drawing_parts.h"

namespace zt::today {
namespace abi = platform::today;

CTabClock::CTabClock() : m_skins(std::make_unique<skins::CSkinManager>(skins::read_skin_screen())) {}

int32_t CTabClock::query_interface(const abi::InterfaceId* iid, void** result) {
    if (!result) return abi::kInvalidArgument;
    *result = nullptr;
    if (!iid || (!(*iid == abi::kIidUnknown) && !(*iid == abi::kIidSmartPlugin))) return abi::kNoInterface;
    *result = static_cast<abi::SmartPlugin*>(this);
    add_ref();
    return abi::kOk;
}

uint32_t CTabClock::add_ref() { return ++m_references; }

uint32_t CTabClock::release() {
    const uint32_t left = --m_references;
    if (left == 0) delete this;
    return left;
}

int32_t CTabClock::set_up(uint32_t first, uint32_t second, uint32_t third) {
    m_set_up[0] = first;
    m_set_up[1] = second;
    m_set_up[2] = third;
    return abi::kOk;
}

int32_t CTabClock::set_size(uint32_t first, uint32_t second) {
    m_size[0] = first;
    m_size[1] = second;
    return abi::kOk;
}

void CTabClock::load() {
    load_item_texts();
    m_settings = load_item_settings();
    m_slots = load_city_slots();
    m_images = load_skin_images(*m_skins, m_settings.skin_name);
    // Without the Today skin's images the clock is drawn in the default skin.
    if (!m_images.complete()) m_images = load_skin_images(*m_skins, skins::kDefaultSkinName);
    m_loaded = true;
}

int32_t CTabClock::paint(const abi::PaintTarget* target, const abi::PaintRect* rect) {
    if (!target || !rect || !target->bits || target->width <= 0 || target->height <= 0) return abi::kInvalidArgument;
    if (!m_loaded) load();
    if (target->host) m_host = target->host;
    auto picture = skins::CPicture::from_bits(
        target->width, target->height,
        { target->bits, static_cast<size_t>(target->stride) * static_cast<size_t>(target->height) });
    if (!picture || target->stride != skins::CPicture::stride_for(target->width)) return abi::kFail;
    const skins::Point centre { (rect->left + rect->right) / 2, (rect->top + rect->bottom) / 2 };
    const int32_t glyph_width = today_clock_width(m_images);
    if (m_images.complete() && static_cast<int32_t>(m_size[0]) >= glyph_width) {
        TodayContent content;
        content.settings = m_settings;
        content.city_slots = m_slots;
        content.universal = platform::universal_time();
        content.local = platform::local_time();
        const platform::SYSTEMTIME shown = city_time(content, shown_city(content));
        draw_today_clock_at(*picture, m_images, centre, shown);
        m_last_minute = shown.wHour * 60 + shown.wMinute;
    } else {
        const QImage icon = item_icon(m_skins->high_resolution());
        draw_icon_image(*picture, icon, centre.x - icon.width() / 2, centre.y - icon.height() / 2);
    }
    std::copy(picture->bits(), picture->bits() + picture->byte_size(), target->bits);
    return abi::kOk;
}

int32_t CTabClock::update() {
    m_settings = load_item_settings();
    m_slots = load_city_slots();
    TodayContent content;
    content.settings = m_settings;
    content.city_slots = m_slots;
    content.universal = platform::universal_time();
    content.local = platform::local_time();
    const platform::SYSTEMTIME shown = city_time(content, shown_city(content));
    if (shown.wHour * 60 + shown.wMinute != m_last_minute && m_host) m_host->update();
    return abi::kOk;
}

int32_t CTabClock::destroy() {
    m_host = nullptr;
    return abi::kOk;
}

}  // namespace zt::today
