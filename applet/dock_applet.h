#pragma once
// One applet placed on a host panel: its data, size and placements, the skin images, the
// text colour, the redraw bookkeeping and the message window that receives a chosen city.
// The exported entry points are thin calls into this class.
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "applet/applet_data.h"
#include "applet/applet_layout.h"
#include "applet/applet_message_window.h"
#include "platform/base/system_time.h"
#include "platform/gui/dock_applet_abi.h"
#include "skins/skin_manager.h"
#include "today/item_commands.h"

class QMenu;
class QWidget;

namespace zt::applet {

inline constexpr char16_t kAppletDescription[] = u"Zun Time Applet";
// Copies the description (without terminator) only when `length` holds all of it; returns its
// length either way.
uint32_t copy_applet_description(char16_t* buffer, uint32_t length);

class CDockApplet {
public:
    static constexpr int kMaxImageRetries = 10;

    // Without a reach, the device's (the main program from "AppPath").
    explicit CDockApplet(AppletData data, std::unique_ptr<today::ItemReach> reach = nullptr);
    ~CDockApplet();
    CDockApplet(const CDockApplet&) = delete;
    CDockApplet& operator=(const CDockApplet&) = delete;

    // Takes the host window, starts from the initial square, loads the images and sizes the
    // box; arms the image retries when they are incomplete. True when they are complete.
    bool init(QWidget* host);
    int32_t width() const { return m_width; }
    int32_t height() const { return m_height; }
    // False when the size changed instead (the host was told and lays its panel out again).
    bool paint(const platform::dock::PaintRect& rect, const platform::dock::PaintTarget& target);
    // True when it asked the host for a repaint.
    bool update();
    // The blob's size; copies it only into a buffer that holds all of it.
    uint32_t get_data(uint8_t* buffer, uint32_t size) const;
    void fill_context_menu(QMenu& menu);
    bool handle_command(uint32_t command_number);
    // The main program's answer to "ChooseCity": data word 1130 and exactly 300 bytes.
    bool take_city_answer(const platform::CopyData& data);

    const AppletData& data() const { return m_data; }
    platform::WindowHandle message_window() const { return m_messages ? m_messages->handle() : 0; }
    std::optional<skins::Rect> placement() const { return m_placement; }
    int retry_count() const { return m_retry_count; }

private:
    void load_images();
    // Loads them and arms the retries when they are incomplete.
    void reload_images();
    AppletLayout layout_now() const;
    // The layout's size, or the stored one while the view's images are missing.
    std::pair<int32_t, int32_t> size_of(const AppletLayout& layout) const;
    void tell_host_size_changed();
    platform::SYSTEMTIME shown_time() const;
    skins::Rgb text_colour() const;
    void draw(skins::CPicture& picture, const AppletLayout& layout) const;
    std::u16string city_name() const;

    AppletData m_data;
    std::unique_ptr<today::ItemReach> m_reach;
    std::unique_ptr<CAppletMessageWindow> m_messages;
    skins::CSkinManager m_skins;
    std::vector<std::u16string> m_skin_list;  // as the menu last showed it
    AppletImages m_images;
    QWidget* m_host { nullptr };
    int32_t m_width { 0 };
    int32_t m_height { 0 };
    std::optional<skins::Rect> m_placement;
    std::optional<skins::Rect> m_previous_placement;
    int m_retry_count { -1 };
    int m_last_minute_of_day { -1 };
    bool m_drawing_pending { false };
    bool m_force_redraw { false };
};

}  // namespace zt::applet
