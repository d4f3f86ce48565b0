#include "applet/dock_applet.h"

#include <QWidget>

#include <algorithm>

#include "applet/applet_menu.h"
#include "contracts/city_requester.h"
#include "contracts/main_program.h"
#include "core/number_text.h"
#include "platform/base/clock.h"
#include "today/device_item_reach.h"
#include "today/item_state.h"

namespace zt::applet {

uint32_t copy_applet_description(char16_t* buffer, uint32_t length) {
    const std::u16string_view description = kAppletDescription;
    if (buffer && length >= description.size()) std::copy(description.begin(), description.end(), buffer);
    return static_cast<uint32_t>(description.size());
}

CDockApplet::CDockApplet(AppletData data, std::unique_ptr<today::ItemReach> reach)
    : m_data(std::move(data)),
      m_reach(reach ? std::move(reach) : std::make_unique<today::DeviceItemReach>()),
      m_skins(skins::read_skin_screen()) {
    today::load_item_texts();
    m_messages = std::make_unique<CAppletMessageWindow>(
        [this](const platform::CopyData& copy_data) { return take_city_answer(copy_data); });
}

CDockApplet::~CDockApplet() = default;

void CDockApplet::load_images() {
    if (!m_skins.load_skin(m_data.skin_name, false)) m_skins.load_skin(skins::kDefaultSkinName, false);
    if (m_data.view == kDigitalView) {
        m_images.digital = m_skins.load_image_strip(u"apl_DClock.png");
    } else {
        m_images.analog = today::load_today_images(m_skins);
        // The icon strip is the Today item's; the applet draws none.
        m_images.analog.icons = {};
    }
}

void CDockApplet::reload_images() {
    load_images();
    // A skin without the view's images gets the same retries as a start without them.
    m_retry_count = m_images.complete(m_data.view) ? -1 : 0;
}

bool CDockApplet::init(QWidget* host) {
    m_host = host;
    const int32_t side = applet_metrics(m_skins.high_resolution()).initial_side;
    m_width = side;
    m_height = side;
    reload_images();
    std::tie(m_width, m_height) = size_of(layout_now());
    return m_retry_count < 0;
}

std::pair<int32_t, int32_t> CDockApplet::size_of(const AppletLayout& layout) const {
    // Without its clock the analog view has nothing to measure; it keeps its box until the
    // retries bring the images.
    if (m_data.view != kDigitalView && !m_images.complete(m_data.view)) return { m_width, m_height };
    return { layout.width, layout.height };
}

void CDockApplet::tell_host_size_changed() {
    const uint32_t message = platform::dock::register_window_message(platform::dock::kHostUpdateMessageName);
    platform::today::send_child_message(m_host, message, reinterpret_cast<uintptr_t>(this), 0);
}

bool CDockApplet::update() {
    if (m_retry_count >= 0) {
        load_images();
        if (m_images.complete(m_data.view)) {
            m_retry_count = -1;
            m_force_redraw = true;
        } else if (++m_retry_count >= kMaxImageRetries) {
            m_retry_count = -1;
        }
    }
    const bool forced = std::exchange(m_force_redraw, false);
    if (m_drawing_pending && !forced) return false;
    const platform::SYSTEMTIME universal = platform::universal_time();
    const int minute_of_day = universal.wHour * 60 + universal.wMinute;
    if (minute_of_day == m_last_minute_of_day && !forced) return false;
    m_drawing_pending = true;
    if (m_host) m_host->update();
    m_last_minute_of_day = minute_of_day;
    return true;
}

uint32_t CDockApplet::get_data(uint8_t* buffer, uint32_t size) const {
    const std::vector<uint8_t> blob = write_applet_data(m_data);
    if (buffer && size >= blob.size()) std::copy(blob.begin(), blob.end(), buffer);
    return static_cast<uint32_t>(blob.size());
}

void CDockApplet::fill_context_menu(QMenu& menu) {
    m_skin_list = m_skins.build_skin_list(skins::SkinConsumer::Applet);
    fill_menu(menu, build_applet_menu(m_data, m_skin_list));
}

bool CDockApplet::handle_command(uint32_t command_number) {
    if (command_number == command::kShowDate) {
        m_data.flags ^= kShowDateFlag;
    } else if (command_number == command::kChangeCity) {
        const world::CityRecord city = m_data.city_record();
        std::u16string line = contracts::kChooseCityCommand;
        for (uint32_t number : { message_window(), city.country_index, city.region_index, city.id }) {
            line += u' ';
            line += core::format_unsigned(number);
        }
        m_reach->start_main_program(line);
    } else if (command_number == command::kLocalTime) {
        m_data.clear_city();
    } else if (command_number == command::kFirstView + kAnalogView ||
               command_number == command::kFirstView + kDigitalView) {
        const uint32_t view = command_number - command::kFirstView;
        if (view == m_data.view) return true;
        m_data.view = view;
        reload_images();
    } else if (command_number >= command::kFirstSkin && command_number - command::kFirstSkin < m_skin_list.size()) {
        m_data.skin_name = m_skin_list[command_number - command::kFirstSkin];
        reload_images();
    } else {
        return false;
    }
    // The size is measured again by the next paint, which tells the host when it changed.
    if (m_host) m_host->update();
    return true;
}

bool CDockApplet::take_city_answer(const platform::CopyData& copy_data) {
    if (copy_data.data_word != contracts::kCityAnswerDataWord || copy_data.bytes.size() != contracts::kCityAnswerSize)
        return false;
    std::copy_n(copy_data.bytes.begin(), m_data.city.size(), m_data.city.begin());
    std::copy_n(copy_data.bytes.begin() + static_cast<ptrdiff_t>(m_data.city.size()), m_data.rules.size(),
                m_data.rules.begin());
    std::tie(m_width, m_height) = size_of(layout_now());
    tell_host_size_changed();
    if (m_host) {
        for (const auto& place : { m_placement, m_previous_placement })
            if (place) m_host->update(place->left, place->top, place->width(), place->height());
    }
    return true;
}

}  // namespace zt::applet
