#pragma once
// CScreen: a screen of the main dialog as a widget. A screen is a child widget of the dialog;
// the dialog's controller uses it through MainScreen alone.
//
// This base draws the skin's background in the screen's area, lined up with the dialog's own
// background, and refuses activation when the background cannot be loaded. The clock, world
// map and timer screens add their own images and drawing on top.
#include <QImage>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>

#include "app/model/main_screen.h"
#include "skins/picture.h"

namespace zt::skins {
class CSkinManager;
}

namespace zt::app {

class CScreen : public QWidget, public MainScreen {
public:
    CScreen(ScreenNumber number, uint32_t refresh_period_ms, skins::CSkinManager& skins);
    ~CScreen() override;

    // Draws the current state into the screen's picture and asks for a repaint.
    void redraw() override;
    // Makes the widget a hidden child of the dialog. False when it cannot be made.
    virtual bool create(QWidget* dialog);
    // An action of the button mappings; true when the screen used it.
    bool handle_action(int action) override;
    // A hardware key released while the screen shows something of its own that takes keys (a
    // list over it); true when the screen used the key, which then goes no further. The base
    // takes none.
    virtual bool key_released(uint32_t key_code);
    // Loads what the screen shows. False (and the screen stays inactive) when its skin images
    // cannot be loaded.
    bool activate() override;
    // The refresh timer's call (also made after an item command). True when what the screen
    // shows changed, so that it must be drawn again; a screen is drawn only then. The base
    // shows the background alone, which never changes by itself.
    bool tick() override;
    // Whether something on the screen changes by itself now (a clock's hands, a running
    // stopwatch): only then does the dialog run the refresh timer, with the screen's refresh
    // period. A screen that shows nothing changing costs no wake-ups. A screen whose answer
    // changes says so through refresh_needs_changed().
    bool needs_refresh() const override;
    void deactivate() override;
    // Loads every image of the screen from the current skin again and says whether all
    // loaded; the skin manager's verification asks each screen this.
    bool reload_images() override;
    // Drops loaded images (the dialog lost the foreground); activation or a redraw loads them
    // again.
    void release_images() override;

    // Takes the new layout and lays the widget out; redraws when active and the layout or its
    // images changed since the last drawing.
    void set_layout(const ScreenLayout& layout) override;
    // The dialog's call for refresh_needs_changed().
    void on_refresh_needs_changed(std::function<void()> handler) override { m_refresh_needs_changed = std::move(handler); }
    void set_shown(bool shown) override { setVisible(shown); }
    // Where the screen takes the skin's background for an orientation: the dialog hands out its
    // own, so one copy serves all. Without a source the screen loads it itself.
    using BackgroundSource = std::function<std::shared_ptr<const skins::CPicture>(bool landscape)>;
    void set_background_source(BackgroundSource source) { m_background_source = std::move(source); }
    // While the screensaver's slide show runs, the screen draws its picture (a whole screen)
    // instead of the skin's background, and its own content over it with the opacity (0..256)
    // the second source gives.
    using SlideShowSource = std::function<const skins::CPicture*()>;
    using OpacitySource = std::function<int32_t()>;
    void set_slide_show_source(SlideShowSource pictures, OpacitySource opacity) {
        m_slide_show_source = std::move(pictures);
        m_opacity_source = std::move(opacity);
    }

    ScreenNumber number() const override { return m_number; }
    uint32_t refresh_period_ms() const override { return m_refresh_period_ms; }
    bool active() const override { return m_already_active; }
    const ScreenLayout& layout() const { return m_layout; }
    // What the screen drew last (tests look at it; nullptr before the first redraw).
    const skins::CPicture* picture() const { return m_picture ? &*m_picture : nullptr; }

protected:
    // Draws the screen's own content over the background; the base draws nothing more.
    virtual void draw_content(skins::CPicture& canvas);
    // Changes the last picture in place and repaints only the boxes, where all that `paint`
    // changes must lie (a dragged icon); without a picture yet it draws everything.
    void redraw_part(std::span<const skins::Rect> boxes, const std::function<void(skins::CPicture&)>& paint);
    skins::CSkinManager& skins() { return m_skins; }
    // Tells the dialog that needs_refresh() may answer otherwise now.
    void refresh_needs_changed() {
        if (m_refresh_needs_changed) m_refresh_needs_changed();
    }
    void paintEvent(QPaintEvent* event) override;

private:
    bool ensure_background();

    const ScreenNumber m_number;
    const uint32_t m_refresh_period_ms;
    bool m_already_active { false };
    ScreenLayout m_layout;
    skins::CSkinManager& m_skins;
    std::shared_ptr<const skins::CPicture> m_background;
    BackgroundSource m_background_source;
    SlideShowSource m_slide_show_source;
    OpacitySource m_opacity_source;
    bool m_background_landscape { false };
    std::optional<skins::CPicture> m_picture;
    QImage m_shown;  // m_picture as the widget paints it, made once per redraw
    bool m_stale { true };  // images loaded or dropped since the last drawing
    std::function<void()> m_refresh_needs_changed;
};

}  // namespace zt::app
