#pragma once
// CWorldTimeScreen: the world map with the night side shaded, the cities marked, and the four
// slot cities' panels with their local time and date; or, in full screen, the big map alone,
// scrolled sideways by dragging.
//
// A tap on the map selects the nearest city; a tap on a panel selects its city, opens its list
// of favourites (the square at the bottom-right) or puts the selected city into its slot (the
// square left of that); the tap-and-hold menu assigns the selected city to a slot and switches
// the markers and the night shading. A selection that replaced another is cleared after five
// seconds. The map's two settings are saved when the screen is left and when it goes.
//
// The screen wakes once a second but draws only when the minute changes: the panel clocks show
// no seconds, and the night side moves with the minute.
#include <QWidget>

#include <memory>
#include <optional>
#include <vector>

#include "app/frame/city_panels.h"
#include "app/frame/screen.h"
#include "app/frame/screen_sources.h"
#include "app/frame/world_map_view.h"
#include "app/model/world_screen_layout.h"
#include "world/map/world_map_settings.h"

class QListWidget;
class QMenu;

namespace zt::platform::gui {
class WindowTimers;
}

namespace zt::app {

class CWorldTimeScreen final : public CScreen {
public:
    static constexpr uint32_t kRefreshMs = 1000;
    static constexpr uint32_t kSelectionTimer = 103;
    static constexpr uint32_t kSelectionMs = 5000;

    explicit CWorldTimeScreen(const ScreenSources& sources);
    ~CWorldTimeScreen() override;

    bool activate() override;
    void deactivate() override;
    bool tick() override;
    bool needs_refresh() const override { return true; }
    // While a panel's list is open: Up and Down move in it, the action key activates the entry.
    bool key_released(uint32_t key_code) override;
    bool reload_images() override;
    void release_images() override;

    // A tap at a point of the screen (its own coordinates), as the pen gives it.
    void tap(skins::Point point);
    // The tap-and-hold menu as it would open now (tests and the device's tools read it).
    std::unique_ptr<QMenu> make_menu();
    // "Select City As..." -> slot n: the selected city into the slot (a map city is copied
    // into the favourites first).
    void assign_selected_city(int slot);
    void set_show_cities(bool show);
    void set_show_night(bool show);
    // Writes "TZTwilightOn" and "TZShowCities".
    void save_settings() const;

    const world::WorldMapSettings& map_settings() const { return m_settings; }
    // The marked cities: the map cities, then the favourites.
    const std::vector<world::CityRecord>& city_set();
    size_t map_city_count() const { return m_map_cities.size(); }
    std::optional<size_t> selected_city() const { return m_selected; }
    // The favourites list of a panel, while one is open (nullptr otherwise), and its slot.
    QListWidget* favourites_list() const;
    int current_panel() const { return m_current_panel; }
    // Activates an entry of the open list: a favourite, or the last one, a city to add.
    void activate_list_entry(int row);
    WorldScreenLayout screen_layout() const;
    MapWindow map_window() const;
    // The map of the mode (full screen falls back to the small map when the skin has no big one).
    const CWorldMapView& map_view() const { return showing_full_map() ? m_full_map : m_small_map; }
    int32_t scroll() const;
    // Shows the map from that column on (a drag does this); wraps round the map.
    void scroll_to(int32_t scroll);
    platform::gui::WindowTimers& timers() { return *m_timers; }

protected:
    void draw_content(skins::CPicture& canvas) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool full_screen() const { return layout().full_screen; }
    bool showing_full_map() const { return full_screen() && m_full_map.loaded(); }
    CWorldMapView& shown_map() { return showing_full_map() ? m_full_map : m_small_map; }
    bool load_images();
    void drop_images();
    world::CityDatabase& database() const;
    world::FavoritesList& favourites() const;
    void select(size_t city);
    void selection_expired();
    void tap_panel(int slot, PanelTap what);
    void open_favourites_list(int slot);
    void close_favourites_list();
    std::optional<size_t> slot_city_index(int slot) const;

    ScreenSources m_sources;
    world::WorldMapSettings m_settings;
    std::vector<world::CityRecord> m_map_cities;
    std::vector<world::CityRecord> m_city_set;
    std::optional<size_t> m_selected;

    CWorldMapView m_small_map;
    CWorldMapView m_full_map;
    CCityPanels m_panels;
    std::optional<skins::CImageStrip> m_ping;
    std::optional<skins::CImageStrip> m_enter_full_screen;
    std::optional<skins::CImageStrip> m_leave_full_screen;

    std::unique_ptr<platform::gui::WindowTimers> m_timers;
    int32_t m_scroll[2] { -1, -1 };  // normal, full screen; -1 until first shown (then centred)
    std::optional<skins::Point> m_press;
    int32_t m_press_scroll { 0 };
    bool m_dragging { false };
    QListWidget* m_list { nullptr };
    int m_current_panel { -1 };
    int m_shown_minute { -1 };  // minutes since midnight UTC of the last drawing
};

}  // namespace zt::app
