#pragma once
// CScreen: what every screen of the main dialog is to it. A screen is a child widget of the
// dialog; the dialog uses nothing but these operations and fields.
//
// This base draws the skin's background in the screen's area, lined up with the dialog's own
// background, and refuses activation when the background cannot be loaded. The clock, world
// map and timer screens add their own images and drawing on top.
#include <QWidget>

#include <cstdint>
#include <optional>

#include "app/frame/screen_positions.h"
#include "skins/picture.h"

namespace zt::skins {
class CSkinManager;
}

namespace zt::app {

// The layout data of the current skin and screen that a screen draws by.
struct ScreenLayout {
    skins::Rect area;  // the screen's rectangle in the dialog
    bool landscape { false };
    bool high_resolution { false };
    bool full_screen { false };
    bool operator==(const ScreenLayout&) const = default;
};

class CScreen : public QWidget {
public:
    CScreen(ScreenNumber number, uint32_t refresh_period_ms, skins::CSkinManager& skins);
    ~CScreen() override;

    // Draws the current state into the screen's picture and asks for a repaint.
    virtual void redraw();
    // Makes the widget a hidden child of the dialog. False when it cannot be made.
    virtual bool create(QWidget* dialog);
    // An action of the button mappings; true when the screen used it.
    virtual bool handle_action(int action);
    // Loads what the screen shows. False (and the screen stays inactive) when its skin images
    // cannot be loaded.
    virtual bool activate();
    // The refresh timer's call.
    virtual void tick();
    virtual void deactivate();
    // Loads every image of the screen from the current skin again and says whether all
    // loaded; the skin manager's verification asks each screen this.
    virtual bool reload_images();
    // Drops loaded images (the dialog lost the foreground); activation or a redraw loads them
    // again.
    virtual void release_images();

    // Takes the new layout and lays the widget out; redraws when active.
    void set_layout(const ScreenLayout& layout);

    ScreenNumber number() const { return m_number; }
    uint32_t refresh_period_ms() const { return m_refresh_period_ms; }
    bool active() const { return m_already_active; }
    const ScreenLayout& layout() const { return m_layout; }
    // What the screen drew last (tests look at it; nullptr before the first redraw).
    const skins::CPicture* picture() const { return m_picture ? &*m_picture : nullptr; }

protected:
    // Draws the screen's own content over the background; the base draws nothing more.
    virtual void draw_content(skins::CPicture& canvas);
    skins::CSkinManager& skins() { return m_skins; }
    void paintEvent(QPaintEvent* event) override;

private:
    bool ensure_background();

    const ScreenNumber m_number;
    const uint32_t m_refresh_period_ms;
    bool m_already_active { false };
    ScreenLayout m_layout;
    skins::CSkinManager& m_skins;
    std::optional<skins::CPicture> m_background;
    bool m_background_landscape { false };
    std::optional<skins::CPicture> m_picture;
};

}  // namespace zt::app
