#pragma once
// CMainDialog: the main program's dialog inside the device screen, a thin widget over
// CMainController. It is the controller's view: it owns the device window, the six screen
// widgets, the skin's toolbar and background and their drawing, and the window timers, and it
// turns keys, pen presses, messages, timers and activation into controller calls.
//
// Start-up runs it through run_main_dialog (main_dialog.h); tests make one directly on a
// ShellFrame of their own and drive it.
#include <QImage>
#include <QWidget>

#include <memory>
#include <optional>
#include <vector>

#include "app/frame/main_dialog.h"
#include "app/frame/screen.h"
#include "app/frame/toolbar_layout.h"
#include "app/model/main_controller.h"
#include "app/model/main_view.h"
#include "platform/gui/window_placement.h"
#include "skins/image_strip.h"
#include "skins/picture.h"

namespace zt::platform {
class QtMessagePump;
}
namespace zt::platform::gui {
class ShellFrame;
class WindowTimers;
}  // namespace zt::platform::gui

namespace zt::app {

inline constexpr char16_t kMainDialogClass[] = u"Dialog";
inline constexpr char16_t kProgramTitle[] = u"Zun Time";
// The main dialog's dialog resource: its control id for the device's tools.
inline constexpr int32_t kMainDialogResource = 179;

class CMainDialog final : public QWidget, private MainView {
public:
    CMainDialog(const CommandLine& line, const MainDialogEnvironment& environment, platform::gui::ShellFrame& frame);
    ~CMainDialog() override;

    CMainController& controller() { return m_controller; }
    // The screen widget of that number, once the screens are made.
    CScreen* screen(ScreenNumber number) const;
    CScreen* active_screen() const;
    const DialogLayout& dialog_layout() const { return m_layout; }
    const skins::CPicture* backdrop() const { return m_backdrop ? &*m_backdrop : nullptr; }
    platform::gui::WindowTimers& timers() { return *m_timers; }
    platform::QtMessagePump* pump() const { return m_pump.get(); }
    // A pen press on the dialog (dialog coordinates).
    void press_at(int x, int y);

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    // MainView.
    void create_window() override;
    std::vector<MainScreen*> create_screens() override;
    void destroy_screens() override;
    void show_dialog() override { show(); }
    platform::gui::ScreenMetrics metrics() const override;
    void apply_screen_metrics() override;
    void fit_to_frame() override;
    void set_full_screen(bool full_screen) override;
    bool soft_key_bar_shown() const override;
    void bring_to_front() override;
    void set_topmost(bool topmost) override;
    void remember_foreground() override;
    void restore_foreground() override;
    bool other_dialog_open() const override;
    std::optional<skins::CPicture> screen_background() override;
    void minimise() override;
    bool load_images(bool landscape) override;
    void release_shared_images() override;
    bool load_skin(std::u16string_view name, std::function<bool()> verify) override;
    std::u16string current_skin() const override;
    void detach_skin() override;
    skins::Rect lay_out(bool landscape) override;
    void draw_toolbar(int selected_button) override;
    void screen_shown() override;
    void set_timer(uint32_t id, uint32_t period_ms) override;
    void kill_timer(uint32_t id) override;
    void post(uint32_t number, uint32_t wparam, uint32_t lparam) override;
    void open_options(int page, std::function<void()> closed) override;
    void run_city_chooser(const CommandLine& line) override;
    void open_alarm_editor(const CommandLine& line) override;
    void show_error(std::u16string_view text) override;
    void capture_buttons(const std::function<bool(uint32_t key)>& mapped) override;

    // A hardware key's release, from the focus or as a captured button: first for what the
    // active screen shows over itself, then for the controller.
    bool key_released(uint32_t key_code);

    std::shared_ptr<const skins::CPicture> screens_background(bool landscape);
    void save_screenshot();

    skins::CSkinManager& m_skins;
    core::CSettingsBag& m_settings;
    core::CTimeStore& m_store;
    platform::gui::ShellFrame& m_frame;
    ScreenFactory m_make_screens;
    std::vector<std::unique_ptr<CScreen>> m_screens;

    std::optional<skins::CImageStrip> m_toolbar;
    std::shared_ptr<const skins::CPicture> m_background;
    // The background the screens share: the dialog's own until the screens release their
    // images (the dialog went to the back), then loaded again by the first screen to ask.
    std::shared_ptr<const skins::CPicture> m_screens_background;
    bool m_landscape { false };  // the orientation the images above are for
    std::optional<skins::CPicture> m_backdrop;  // background and toolbar as the dialog shows them
    QImage m_backdrop_shown;                     // m_backdrop as painted, made once per redraw
    bool m_backdrop_stale { true };              // the images or layout under it changed since it was drawn
    int m_backdrop_button { 0 };                 // the selected toolbar button it shows
    DialogLayout m_layout;

    std::unique_ptr<platform::gui::WindowTimers> m_timers;
    platform::gui::ForegroundMemory m_foreground;
    std::unique_ptr<platform::QtMessagePump> m_pump;
    bool m_screenshot_pending { false };
    // Last, so that it is made after everything it reaches through the view.
    CMainController m_controller;
};

}  // namespace zt::app
