#pragma once
// MainScreen: a screen of the main dialog as the controller sees it. The screens are widgets
// (app/frame CScreen); the controller switches, ticks and lays them out through this alone, so
// that its rules are tested with screens of plain C++.
#include <cstdint>
#include <functional>

#include "app/model/screen_positions.h"
#include "skins/picture.h"

namespace zt::app {

// The layout data of the current skin and screen that a screen draws by.
struct ScreenLayout {
    skins::Rect area;  // the screen's rectangle in the dialog
    bool landscape { false };
    bool high_resolution { false };
    bool full_screen { false };
    bool square_screen { false };  // the clocks lay a square screen out as a landscape one
    bool operator==(const ScreenLayout&) const = default;
};

class MainScreen {
public:
    virtual ~MainScreen() = default;

    virtual ScreenNumber number() const = 0;
    // The refresh timer's period while the screen changes by itself; 0 for none.
    virtual uint32_t refresh_period_ms() const = 0;
    // Whether the screen is activated (it stays so until deactivated).
    virtual bool active() const = 0;
    // Loads what the screen shows. False (and the screen stays inactive) when its skin images
    // cannot be loaded.
    virtual bool activate() = 0;
    virtual void deactivate() = 0;
    // True when what the screen shows changed, so that it must be drawn again.
    virtual bool tick() = 0;
    // Whether something on the screen changes by itself now; a screen whose answer changes says
    // so through the handler given to on_refresh_needs_changed.
    virtual bool needs_refresh() const = 0;
    virtual void on_refresh_needs_changed(std::function<void()> handler) = 0;
    virtual void redraw() = 0;
    // An action of the button mappings; true when the screen used it.
    virtual bool handle_action(int action) = 0;
    // Loads every image from the current skin again; true when all loaded.
    virtual bool reload_images() = 0;
    // Drops loaded images (the dialog lost the foreground).
    virtual void release_images() = 0;
    virtual void set_layout(const ScreenLayout& layout) = 0;
    // Shows or hides the screen's window.
    virtual void set_shown(bool shown) = 0;
};

}  // namespace zt::app
