#pragma once
// The ringing window's on-screen buttons and the pen tracking over them: a press (or a slide)
// marks the button under the pen, a release posts the marked button's command. Sliding off
// every button before lifting the pen posts nothing.
#include <cstdint>
#include <optional>
#include <vector>

#include "platform/windows/window_info.h"

namespace zt::ringout {

inline constexpr uint32_t kCommandSnooze = 100;
inline constexpr uint32_t kCommandDismiss = 101;
inline constexpr uint32_t kCommandRestart = 102;

struct ImageButton {
    uint32_t command { 0 };
    int image_index { 0 };  // strip frames image_index * 2 (normal) and + 1 (pressed)
    zt::platform::Rect rect;
    int frame(bool pressed) const { return image_index * 2 + (pressed ? 1 : 0); }
};

class CButtonGroup {
public:
    explicit CButtonGroup(std::vector<ImageButton*> buttons) : m_buttons(std::move(buttons)) {}

    // Pen down or move. Returns the rectangles to repaint (old and new pressed button).
    std::vector<zt::platform::Rect> track(zt::platform::Point point);
    // Pen up: the command to post, when a button was pressed.
    std::optional<uint32_t> release(std::vector<zt::platform::Rect>* repaint = nullptr);

    int pressed() const { return m_pressed; }
    const std::vector<ImageButton*>& buttons() const { return m_buttons; }

private:
    std::vector<ImageButton*> m_buttons;  // not owned
    int m_pressed { -1 };
};

}  // namespace zt::ringout
