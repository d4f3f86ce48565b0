#pragma once
// MainView: the main dialog's window as its controller (CMainController) uses it. The widget
// behind it owns the device window, the frame, the skin's images, the drawing and the timers;
// it turns what happens to it (keys, pen, messages, timers, activation) into controller calls.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/model/main_screen.h"
#include "app/model/start_mode.h"
#include "platform/gui/screen_metrics.h"

namespace zt::app {

class MainView {
public:
    virtual ~MainView() = default;

    // Makes the dialog the program's device window, with its title, soft key and look.
    virtual void create_window() = 0;
    // Makes the six screens in creation order as hidden children of the dialog; empty when one
    // could not be made. The view owns them until destroy_screens.
    virtual std::vector<MainScreen*> create_screens() = 0;
    virtual void destroy_screens() = 0;
    virtual void show_dialog() = 0;

    // The device screen as it is now; apply_screen_metrics reads the device's profile again.
    virtual platform::gui::ScreenMetrics metrics() const = 0;
    virtual void apply_screen_metrics() = 0;
    // Sizes the dialog to what the frame offers it.
    virtual void fit_to_frame() = 0;
    virtual void set_full_screen(bool full_screen) = 0;
    // Whether the shell's soft-key bar is the window at the bottom of the screen.
    virtual bool soft_key_bar_shown() const = 0;
    virtual void bring_to_front() = 0;
    // Keeps the dialog above every other window (the screensaver), or no longer.
    virtual void set_topmost(bool topmost) = 0;
    // Remembers the device's foreground window; restore_foreground gives the front back to it
    // when it still exists.
    virtual void remember_foreground() = 0;
    virtual void restore_foreground() = 0;
    // Whether a dialog of the program other than this one is open (the options sheet, an
    // editor, a message box).
    virtual bool other_dialog_open() const = 0;
    // The skin's background at the size of the whole screen; nullopt when it cannot be made.
    virtual std::optional<skins::CPicture> screen_background() = 0;
    virtual void minimise() = 0;

    // Loads the dialog's own skin images (toolbar and background) for the orientation; false
    // when one is missing.
    virtual bool load_images(bool landscape) = 0;
    // Drops the images the screens share and the skin's image cache.
    virtual void release_shared_images() = 0;
    // Loads the skin by name; `verify` is run to check that everything shows with it. Loading
    // may report a failure to the user and fall back to the default skin.
    virtual bool load_skin(std::u16string_view name, std::function<bool()> verify) = 0;
    // The name of the skin loaded now (after a fallback, the default skin's).
    virtual std::u16string current_skin() const = 0;
    // The skin manager stops calling back into the dialog.
    virtual void detach_skin() = 0;
    // Lays the toolbar out for the dialog's size and returns the screens' area.
    virtual skins::Rect lay_out(bool landscape) = 0;
    // Draws the background and the toolbar with that button (1..3) selected.
    virtual void draw_toolbar(int selected_button) = 0;
    // A screen came to show (the view may take its picture).
    virtual void screen_shown() = 0;

    virtual void set_timer(uint32_t id, uint32_t period_ms) = 0;
    virtual void kill_timer(uint32_t id) = 0;
    // Posts a message to the dialog itself; it comes back through handle_message.
    virtual void post(uint32_t number, uint32_t wparam, uint32_t lparam) = 0;

    // Opens the options sheet on a page; `closed` runs once it has closed. When it is already
    // open only its page changes.
    virtual void open_options(int page, std::function<void()> closed) = 0;
    virtual void run_city_chooser(const CommandLine& line) = 0;
    virtual void open_alarm_editor(const CommandLine& line) = 0;
    // An error box with the text (before translation); returns once it is closed.
    virtual void show_error(std::u16string_view text) = 0;
    // Takes the application buttons (193-207) that `mapped` says are bound from the shell for the
    // dialog, and gives back the others it took before.
    virtual void capture_buttons(const std::function<bool(uint32_t key)>& mapped) = 0;
};

}  // namespace zt::app
