#pragma once
// The alarm control both clocks show over their face while an alarm is edited: part 0 of
// "AlarmControl.png" centred in the clock area, with an up and a down arrow for each digit of
// the time (hour tens, hour ones, minute tens, minute ones), the digits between them, an AM/PM
// cell for a 12-hour clock and four buttons (confirm, delete, open the editor, cancel).
//
// Everything is placed by the image's value pixels (doubled on a high-resolution screen),
// relative to the control's top-left: 1 the arrow cells' size, 2-5 the up arrows' and 6-9 the
// down arrows' top-lefts, 10-13 the buttons' top-lefts with 14-17 their bottom-rights, 18-19 the
// AM/PM cell; value 20 grey shows "AM"/"PM" as text, else as "SmallDigits.png" glyphs. The first
// pixel of part 1 is the digits' colour.
#include <array>
#include <optional>

#include "skins/clocks/clock_face.h"
#include "skins/image_strip.h"
#include "skins/picture.h"

namespace zt::skins {

class CSkinManager;

inline constexpr char16_t kAlarmControlImage[] = u"AlarmControl.png";

enum class ControlButton { Confirm = 0, Delete = 1, OpenEditor = 2, Cancel = 3 };

// What a point of the control is.
struct ControlHit {
    enum class Kind { Button, UpArrow, DownArrow, AmPm };
    Kind kind { Kind::Button };
    int index { 0 };  // the button (ControlButton) or the digit (0 hour tens .. 3 minute ones)
    bool operator==(const ControlHit&) const = default;
};

class CAlarmControlFace {
public:
    // False when the skin has no control image: alarms can then be moved but not edited here.
    bool load(CSkinManager& skins);
    void release();
    bool loaded() const { return m_image.has_value(); }

    void place(const ClockPlacement& placement);
    // The control on the screen.
    Rect box() const;
    // Buttons first, then the arrows, then (12-hour clock only) the AM/PM cell.
    std::optional<ControlHit> hit(Point point, bool twelve_hour) const;
    // The rectangle between a digit's arrows, on the screen.
    Rect digit_box(int digit) const;
    Rect am_pm_box() const { return shifted(m_am_pm); }
    Rect arrow_box(int digit, bool up) const { return shifted((up ? m_up : m_down)[static_cast<size_t>(digit)]); }
    Rect button_box(ControlButton button) const { return shifted(m_buttons[static_cast<size_t>(button)]); }

    void draw_image(CPicture& canvas) const;
    // The time's four digits (the hour 1-12 on a 12-hour clock) and the AM/PM mark.
    void draw_time(CPicture& canvas, const DayTime& time, bool twelve_hour) const;

private:
    Rect shifted(const Rect& r) const;

    std::optional<CImageStrip> m_image;
    std::optional<CImageStrip> m_small_digits;
    Rgb m_digit_colour {};
    bool m_am_pm_glyphs { false };
    Point m_top_left;
    Point m_size;
    std::array<Rect, 4> m_up {};
    std::array<Rect, 4> m_down {};
    std::array<Rect, 4> m_buttons {};
    Rect m_am_pm {};
};

}  // namespace zt::skins
