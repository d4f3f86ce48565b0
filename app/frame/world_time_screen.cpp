#include "app/frame/world_time_screen.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>

#include <cstdlib>

#include "app/frame/screen_input.h"
#include "app/model/favorite_cities.h"
#include "platform/base/clock.h"
#include "platform/gui/key_codes.h"
#include "platform/gui/popup_menu.h"
#include "platform/gui/tap_and_hold.h"
#include "platform/gui/window_timers.h"
#include "skins/clocks/alarm_icons.h"
#include "skins/drawing.h"
#include "skins/skin_manager.h"
#include "texts/text_table.h"
#include "world/city_database.h"
#include "world/favorites_list.h"
#include "world/map/map_cities.h"
#include "world/map/nearest_city.h"

namespace zt::app {
namespace {

constexpr char16_t kSmallMapImage[] = u"WorldMap_small.png";
constexpr char16_t kFullMapImage[] = u"WorldMap.png";
constexpr char16_t kPingImage[] = u"Ping.png";
constexpr char16_t kEnterFullScreenImage[] = u"fullscreen.png";
constexpr char16_t kLeaveFullScreenImage[] = u"screen.png";
// The list's last entry, which adds a city to the favourites and the slot.
constexpr char16_t kMoreCities[] = u"More Cities...";
// A pen that moves this far before lifting drags the map instead of tapping it.
constexpr int32_t kDragSlop = platform::gui::TapAndHold::kSlopPixels;

QString to_qstring(std::u16string_view text) { return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size())); }

bool inside(const skins::Rect& r, skins::Point p) { return r.contains(p); }

skins::Point strip_size(const std::optional<skins::CImageStrip>& strip) {
    if (!strip) return {};
    const int s = strip->shift();
    return { strip->half_width() << s, strip->part(0)->height << s };
}

}  // namespace

CWorldTimeScreen::CWorldTimeScreen(const ScreenSources& sources)
    : CScreen(ScreenNumber::WorldTime, kRefreshMs, sources.skins),
      m_sources(sources),
      m_settings(world::WorldMapSettings::load()),
      m_map_cities(world::collect_map_cities(database())),
      m_timers(std::make_unique<platform::gui::WindowTimers>([this](uint32_t id) {
          if (id == kSelectionTimer) selection_expired();
      })) {
    // The pen held still opens the menu (contextMenuEvent) instead of tapping.
    new platform::gui::TapAndHold(*this);
}

CWorldTimeScreen::~CWorldTimeScreen() { save_settings(); }

world::CityDatabase& CWorldTimeScreen::database() const {
    return m_sources.cities ? *m_sources.cities : world::CityDatabase::instance();
}

world::FavoritesList& CWorldTimeScreen::favourites() const {
    return m_sources.favourites ? *m_sources.favourites : world::FavoritesList::instance();
}

bool CWorldTimeScreen::load_images() {
    const bool high_resolution = layout().high_resolution;
    if (!m_small_map.loaded() && !m_small_map.load(skins(), kSmallMapImage, high_resolution)) return false;
    if (!m_panels.loaded() && !m_panels.load(skins())) return false;
    // The rest is optional: full screen falls back to the small map, and a skin without the
    // ping or the buttons simply shows none.
    if (!m_full_map.loaded()) m_full_map.load(skins(), kFullMapImage, high_resolution);
    const auto optional_strip = [&](std::optional<skins::CImageStrip>& strip, std::u16string_view name) {
        if (!strip) strip = skins::load_required_strip(skins(), name);
    };
    optional_strip(m_ping, kPingImage);
    optional_strip(m_enter_full_screen, kEnterFullScreenImage);
    optional_strip(m_leave_full_screen, kLeaveFullScreenImage);
    return true;
}

void CWorldTimeScreen::drop_images() {
    m_small_map.release();
    m_full_map.release();
    m_panels.release();
    m_ping.reset();
    m_enter_full_screen.reset();
    m_leave_full_screen.reset();
}

bool CWorldTimeScreen::activate() {
    if (active()) return true;
    if (!load_images()) return false;
    return CScreen::activate();
}

void CWorldTimeScreen::deactivate() {
    close_favourites_list();
    save_settings();
    CScreen::deactivate();
}

bool CWorldTimeScreen::reload_images() {
    const bool background = CScreen::reload_images();
    drop_images();
    return load_images() && background;
}

void CWorldTimeScreen::release_images() {
    CScreen::release_images();
    drop_images();
}

bool CWorldTimeScreen::tick() {
    const platform::SYSTEMTIME now = platform::universal_time();
    const int minute = now.wHour * 60 + now.wMinute;
    if (minute == m_shown_minute) return false;
    m_shown_minute = minute;
    return true;
}

void CWorldTimeScreen::save_settings() const { m_settings.save(); }

const std::vector<world::CityRecord>& CWorldTimeScreen::city_set() {
    const world::FavoritesList& list = favourites();
    m_city_set.assign(m_map_cities.begin(), m_map_cities.end());
    for (size_t i = 0; i < list.count(); ++i) m_city_set.push_back(*list.entry(static_cast<int>(i)));
    return m_city_set;
}

WorldScreenLayout CWorldTimeScreen::screen_layout() const {
    const ScreenLayout& screen = layout();
    const CWorldMapView& map = map_view();
    const auto& button = full_screen() ? m_leave_full_screen : m_enter_full_screen;
    const skins::Rect area { 0, 0, screen.area.width(), screen.area.height() };
    return lay_out_world_screen(area, full_screen(), { map.size(), m_panels.size(screen.landscape), strip_size(button) });
}

int32_t CWorldTimeScreen::scroll() const {
    const int mode = full_screen() ? 1 : 0;
    if (m_scroll[mode] >= 0) return m_scroll[mode];
    // First shown centred on longitude 0.
    const int32_t map_width = map_view().size().x;
    return std::max(0, (map_width - screen_layout().map_view.width()) / 2);
}

MapWindow CWorldTimeScreen::map_window() const {
    const WorldScreenLayout l = screen_layout();
    return { l.map_view, l.map_first_row, scroll() };
}

void CWorldTimeScreen::scroll_to(int32_t value) {
    const int32_t map_width = map_view().size().x;
    if (map_width <= 0) return;
    m_scroll[full_screen() ? 1 : 0] = map_column(value, 0, map_width);
    redraw();
}

void CWorldTimeScreen::draw_content(skins::CPicture& canvas) {
    if (!load_images()) return;
    const platform::SYSTEMTIME utc = platform::universal_time();
    m_shown_minute = utc.wHour * 60 + utc.wMinute;
    const ScreenLayout& screen = layout();
    const WorldScreenLayout places = screen_layout();
    MapMarks marks;
    marks.cities = city_set();
    marks.selected = m_selected;
    marks.marker_colour = m_panels.colours(screen.landscape).marker;
    marks.show_cities = m_settings.show_cities;
    marks.shade_night = !full_screen() && m_settings.twilight;
    marks.high_resolution = screen.high_resolution;
    marks.ping = m_ping ? &*m_ping : nullptr;
    shown_map().compose(canvas, map_window(), marks, utc);
    if (!full_screen()) {
        for (int slot = 0; slot < 4; ++slot) {
            PanelText text;
            if (const world::CityRecord* city = favourites().slot_city(slot)) {
                if (auto local = favourites().local_time(*city, utc)) text = panel_text(*city, *local);
            }
            m_panels.draw(canvas, places.panels[static_cast<size_t>(slot)], text, screen.landscape, screen.high_resolution);
        }
    }
    const auto& button = full_screen() ? m_leave_full_screen : m_enter_full_screen;
    if (button) skins::draw_part(canvas, *button, 0, 0, 0, places.button.left, places.button.top);
}

void CWorldTimeScreen::select(size_t city) {
    const bool replaced = m_selected.has_value();
    m_selected = city;
    if (replaced) m_timers->set(kSelectionTimer, kSelectionMs);
    redraw();
}

void CWorldTimeScreen::selection_expired() {
    m_timers->kill(kSelectionTimer);
    m_selected.reset();
    redraw();
}

std::optional<size_t> CWorldTimeScreen::slot_city_index(int slot) const {
    const int entry = favourites().slot(slot);
    if (entry < 0) return std::nullopt;
    return m_map_cities.size() + static_cast<size_t>(entry);
}

void CWorldTimeScreen::tap(skins::Point point) {
    if (m_list) {
        close_favourites_list();
        return;
    }
    const WorldScreenLayout places = screen_layout();
    if (inside(places.button, point)) {
        if (m_sources.request_full_screen) m_sources.request_full_screen(!full_screen());
        return;
    }
    if (!full_screen()) {
        for (int slot = 0; slot < 4; ++slot) {
            if (auto what = panel_tap(places.panels[static_cast<size_t>(slot)], point, layout().high_resolution)) {
                tap_panel(slot, *what);
                return;
            }
        }
    }
    if (!inside(places.map_view, point)) return;
    const world::MapPoint pixel = map_view().map_pixel(map_window(), point);
    const world::GeoPoint tapped = map_view().projection().inverse(pixel.x, pixel.y);
    std::vector<world::GeoPoint> places_of_cities;
    for (const world::CityRecord& city : city_set())
        places_of_cities.push_back({ city.latitude / 60.0, city.longitude / 60.0 });
    if (auto nearest = world::nearest_city(places_of_cities, tapped)) select(*nearest);
}

void CWorldTimeScreen::tap_panel(int slot, PanelTap what) {
    switch (what) {
        case PanelTap::OpenList:
            open_favourites_list(slot);
            break;
        case PanelTap::AssignCity:
            assign_selected_city(slot);
            break;
        case PanelTap::SelectCity:
            if (auto city = slot_city_index(slot)) select(*city);
            break;
    }
}

void CWorldTimeScreen::assign_selected_city(int slot) {
    if (!m_selected || slot < 0 || slot > 3) return;
    const std::vector<world::CityRecord>& cities = city_set();
    if (*m_selected >= cities.size()) return;
    world::FavoritesList& list = favourites();
    int entry = static_cast<int>(*m_selected) - static_cast<int>(m_map_cities.size());
    if (entry < 0) {
        // A map city already among the favourites is that favourite (perhaps renamed by the
        // user), not a second copy.
        const world::CityRecord& city = cities[*m_selected];
        entry = list.index_of(city.id);
        if (entry < 0) entry = append_chosen_city(list, city);
    }
    assign_slot(list, m_sources.settings, slot, entry);
    save_settings();
    redraw();
}

void CWorldTimeScreen::set_show_cities(bool show) {
    m_settings.show_cities = show;
    redraw();
}

void CWorldTimeScreen::set_show_night(bool show) {
    m_settings.twilight = show;
    redraw();
}

std::unique_ptr<QMenu> CWorldTimeScreen::make_menu() {
    auto menu = std::make_unique<QMenu>(this);
    if (m_selected) {
        QMenu* slot_menu = menu->addMenu(translated(u"Select City As..."));
        for (int slot = 0; slot < 4; ++slot) {
            const std::u16string label = std::u16string(1, static_cast<char16_t>(u'1' + slot)) + u": " + favourites().slot_city_name(slot);
            slot_menu->addAction(to_qstring(label), [this, slot] { assign_selected_city(slot); });
        }
    }
    QAction* cities = menu->addAction(translated(u"Show Cities"), [this] { set_show_cities(!m_settings.show_cities); });
    cities->setCheckable(true);
    cities->setChecked(m_settings.show_cities);
    if (!full_screen()) {
        QAction* night = menu->addAction(translated(u"Show Night"), [this] { set_show_night(!m_settings.twilight); });
        night->setCheckable(true);
        night->setChecked(m_settings.twilight);
    }
    return menu;
}

QListWidget* CWorldTimeScreen::favourites_list() const { return m_list; }

void CWorldTimeScreen::open_favourites_list(int slot) {
    close_favourites_list();
    m_current_panel = slot;
    const world::FavoritesList& list = favourites();
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("FavoritesList"));
    for (size_t i = 0; i < list.count(); ++i) m_list->addItem(to_qstring(favorite_display_name(*list.entry(static_cast<int>(i)))));
    m_list->addItem(translated(kMoreCities));
    const int current = list.slot(slot);
    if (current >= 0) m_list->setCurrentRow(current);
    const skins::Rect over = screen_layout().map_view;
    m_list->setGeometry(over.left, over.top, over.width(), over.height());
    connect(m_list, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) { activate_list_entry(m_list->row(item)); });
    connect(m_list, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) { activate_list_entry(m_list->row(item)); });
    m_list->show();
    m_list->setFocus();
    if (auto city = slot_city_index(slot)) select(*city);
}

void CWorldTimeScreen::close_favourites_list() {
    if (!m_list) return;
    // Deleted later: this may run inside one of the list's own signals.
    m_list->hide();
    m_list->deleteLater();
    m_list = nullptr;
}

void CWorldTimeScreen::activate_list_entry(int row) {
    const int slot = m_current_panel;
    world::FavoritesList& list = favourites();
    if (!m_list || slot < 0 || row < 0) return;
    close_favourites_list();
    int entry = row;
    if (row >= static_cast<int>(list.count())) {
        const auto chosen = m_sources.choose_new_city ? m_sources.choose_new_city(this) : std::nullopt;
        if (!chosen) return;
        entry = append_chosen_city(list, *chosen);
    }
    assign_slot(list, m_sources.settings, slot, entry);
    if (auto city = slot_city_index(slot)) select(*city);
    redraw();
}

bool CWorldTimeScreen::key_released(uint32_t key_code) {
    if (!m_list) return false;
    const int row = m_list->currentRow();
    switch (key_code) {
        case platform::gui::VK_UP:
            m_list->setCurrentRow(std::max(0, row - 1));
            return true;
        case platform::gui::VK_DOWN:
            m_list->setCurrentRow(std::min(m_list->count() - 1, row + 1));
            return true;
        case platform::gui::VK_RETURN:
            activate_list_entry(row);
            return true;
        default:
            return false;
    }
}

void CWorldTimeScreen::mousePressEvent(QMouseEvent* event) {
    m_press = point_of(event->position());
    m_press_scroll = scroll();
    m_dragging = false;
}

void CWorldTimeScreen::mouseMoveEvent(QMouseEvent* event) {
    if (!m_press) return;
    const int32_t dx = point_of(event->position()).x - m_press->x;
    const WorldScreenLayout places = screen_layout();
    const bool map_wider = map_view().size().x > places.map_view.width();
    if (!m_dragging && (!map_wider || std::abs(dx) <= kDragSlop || !inside(places.map_view, *m_press))) return;
    m_dragging = true;
    scroll_to(m_press_scroll - dx);
}

void CWorldTimeScreen::mouseReleaseEvent(QMouseEvent*) {
    const std::optional<skins::Point> press = m_press;
    m_press.reset();
    if (press && !m_dragging) tap(*press);
    m_dragging = false;
}

void CWorldTimeScreen::contextMenuEvent(QContextMenuEvent* event) {
    m_press.reset();
    std::unique_ptr<QMenu> menu = make_menu();
    platform::gui::exec_popup_menu(*menu, *this, event->globalPos());
}

void CWorldTimeScreen::keyPressEvent(QKeyEvent* event) {
    if (m_list && event->key() == Qt::Key_Escape) {
        close_favourites_list();
        return;
    }
    CScreen::keyPressEvent(event);
}

}  // namespace zt::app
