#pragma once
// The Today item's window: a child of the Today screen's item area, as wide as the screen and
// as high as the view needs. It answers the screen's messages (today_item_abi.h), draws the
// view over the screen's background, and turns taps and the menus into commands.
#include <QWidget>

#include <cstdint>
#include <memory>

#include "platform/gui/control_id.h"
#include "platform/gui/today_item_abi.h"
#include "platform/gui/window_timers.h"
#include "today/item_commands.h"
#include "today/item_menu.h"
#include "today/item_state.h"

class QMenu;

namespace zt::platform::gui {
class TapAndHold;
}

namespace zt::today {

class CRelayWindow;

inline constexpr char16_t kItemWindowClass[] = u"ZUNTIME{AC1DBE26-8E4D-4786-B1F5-EC5DB74B7591}";
inline constexpr char16_t kItemWindowTitle[] = u"Zun Time";
inline constexpr uint32_t kRepaintTimer = 201;
inline constexpr uint32_t kRepaintDelayMs = 100;

class CTodayItemWindow final : public QWidget {
public:
    // `reach` null: the device's own (starting "AppPath", posting to device windows).
    CTodayItemWindow(QWidget* parent, TodayHost host, std::unique_ptr<ItemReach> reach = nullptr);
    ~CTodayItemWindow() override;

    CItemState& state() { return *m_state; }
    bool selected() const { return m_selected; }
    bool repaint_timer_running() const { return m_timers.is_set(kRepaintTimer); }
    CRelayWindow& relay() { return *m_relay; }

    // Settings, cities, images and alarms again, then a redraw.
    void reload();
    // A menu command, as the menus deliver it.
    void run_command(uint32_t command_number);
    // The menus the taps open, with their entries (tests read them; the window pops them up).
    std::vector<MenuEntry> full_menu() const;
    std::vector<MenuEntry> city_menu() const;
    std::vector<MenuEntry> alarm_menu() const;
    // The item as drawn now, over the screen's background.
    QImage render();

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    intptr_t handle_message(uint32_t message, uintptr_t wparam, intptr_t lparam, bool& handled);
    void on_relay_timer(uint32_t timer);
    void on_window_timer(uint32_t timer);
    void start_image_retries();
    void tap_at(QPoint point);
    // What the device's tools list of the item: the icon and the text column's lines.
    std::vector<platform::gui::DrawnControl> describe_controls() const;
    void open_menu(const std::vector<MenuEntry>& entries, QPoint local);
    skins::Rgb text_colour();
    int32_t item_width() const;

    std::unique_ptr<CItemState> m_state;
    std::unique_ptr<ItemReach> m_reach;
    std::unique_ptr<CRelayWindow> m_relay;
    platform::gui::WindowTimers m_timers;
    platform::gui::TapAndHold* m_hold { nullptr };
    bool m_selected { false };
    bool m_menu_pending { false };
    bool m_taller_than_visible { false };
    bool m_pressed { false };
    QPoint m_press_point;
};

}  // namespace zt::today
