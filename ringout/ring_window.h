#pragma once
// The ringing window: the item's title, a picture telling an alarm from a timer, the time in
// large digits and two large buttons drawn from the skin, plus the snooze choices. It keeps
// no record state: every answer goes to the command handler as a WM_COMMAND identifier.
//
// It is a device window of class "Dialog" titled "Zun Time", so the device's other programs
// (and tests) can find it and send it commands the way the pen and the soft keys do.
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>

#include "platform/gui/control_id.h"
#include "platform/gui/dialog_appearance.h"
#include "platform/gui/soft_key_bar.h"
#include "platform/gui/window_timers.h"
#include "platform/windows/qt/qt_message_pump.h"
#include "ringout/button_group.h"
#include "ringout/ring_entry.h"
#include "ringout/ring_layout.h"
#include "skins/image_strip.h"

class QMenu;

namespace zt::ringout {

inline constexpr uint32_t kClockTimer = 1002;
inline constexpr char16_t kRingWindowClass[] = u"Dialog";
inline constexpr char16_t kRingWindowTitle[] = u"Zun Time";
// The ids the device's tools report: the window's dialog template and its soft-key bar.
inline constexpr int32_t kRingWindowResource = 133;
inline constexpr int32_t kSoftKeyBarId = 0xE800;

struct RingStrips {
    zt::skins::CImageStrip buttons;   // "alarm_buttons.png": 3 buttons, normal and pressed
    zt::skins::CImageStrip pictures;  // "alarm_picts.png": alarm, timer
};

class RingWindow final : public QWidget {
public:
    using CommandHandler = std::function<void(uint32_t command)>;

    // The strips may be invalid (a skin without them): no buttons, or no picture. They must
    // outlive the window.
    RingWindow(const RingStrips& strips, CommandHandler on_command, Translate translate);
    ~RingWindow() override;

    void show_entry(const RingEntry& entry);
    void hide_entry();

    // For tests: the layout of the current size, the pressed button, the snooze menu's texts.
    RingLayout layout() const;
    int pressed_button() const;
    QMenu* snooze_menu() const { return m_snooze_menu; }
    zt::platform::gui::SoftKeyBar& soft_keys() const { return *m_soft_keys; }
    bool has_buttons() const { return m_strips.buttons.valid(); }
    // The clock as drawn: the displayed minute in the device's short time format; empty
    // before the first tick.
    std::u16string clock_text() const;
    // The window's own device window (0 when it could not be published).
    zt::platform::WindowHandle device_window() const;
    // The shared dialog look in effect: the large-font switch follows the text table.
    const zt::platform::gui::Appearance& appearance() const { return m_appearance; }
    const zt::platform::gui::WindowTimers& timers() const { return m_timers; }

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void tick_clock();
    void on_timer(uint32_t id);
    void fill_snooze_menu();
    void prepare_soft_keys();
    std::u16string word(std::u16string_view english) const;
    void run_command(uint32_t command);
    void repaint_rects(const std::vector<zt::platform::Rect>& rects);
    void place_buttons(const RingLayout& layout);
    CButtonGroup* active_group();
    // The image buttons as the device's tools list them.
    std::vector<zt::platform::gui::DrawnControl> drawn_buttons();

    const RingStrips& m_strips;
    CommandHandler m_on_command;
    Translate m_translate;
    std::optional<RingEntry> m_entry;
    ImageButton m_dismiss { kCommandDismiss, 0, {} };
    ImageButton m_snooze { kCommandSnooze, 1, {} };
    ImageButton m_restart { kCommandRestart, 2, {} };
    CButtonGroup m_alarm_group { { &m_dismiss, &m_snooze } };
    CButtonGroup m_timer_group { { &m_dismiss, &m_restart } };
    bool m_high_resolution { false };
    uint16_t m_displayed_minute { 100 };
    zt::platform::SYSTEMTIME m_displayed {};
    uint32_t m_last_keep_awake { 0 };
    bool m_powered_on { false };
    zt::platform::gui::Appearance m_appearance;
    zt::platform::gui::WindowTimers m_timers { [this](uint32_t id) { on_timer(id); } };
    QMenu* m_snooze_menu { nullptr };
    // The menu bar is a window of its own, as the handheld's is, kept along the bottom edge.
    std::unique_ptr<zt::platform::gui::SoftKeyBar> m_soft_keys;
    std::unique_ptr<zt::platform::QtMessagePump> m_pump;
};

}  // namespace zt::ringout
