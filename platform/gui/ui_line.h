#pragma once
// One line of `zt-device ui`: a window, menu, menu item or control of the foreground program as
// a person sees it. Lines are written front-most window first, each window followed by what it
// holds (depth + 1 per level).
//
// A line is ten fields separated by one tab, in UTF-8:
//   depth  kind  id  text  x  y  w  h  enabled  state
//   depth    0 for a window, one more per level inside it
//   kind     frame, window, dialog, menu, menuitem, submenu, separator, taskbar, softkeybar,
//            softkey, button, checkbox, radio, label, edit, combo, spin, datetime, slider,
//            progress, scrollbar, list, item, tabs, tab, page, group, widget — or a kind a program gives a
//            control it draws itself
//   id       the control id the program gave it (decimal, may be negative), "-" when none
//   text     what it shows, escaped: "\\" for a backslash, "\t", "\n", "\r", and "\xHH" for
//            other control characters; empty when it shows no text
//   x y w h  its rectangle on the device screen (0,0 = top-left corner of the screen)
//   enabled  1 or 0
//   state    comma-separated words among checked, unchecked (can be checked but is not),
//            selected, focused; "-" when none applies
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zt::platform::gui {

struct UiLine {
    int depth { 0 };
    std::string kind;
    std::optional<std::int32_t> control_id;
    std::u16string text;
    int x { 0 };
    int y { 0 };
    int width { 0 };
    int height { 0 };
    bool enabled { true };
    std::vector<std::string> states;

    bool has_state(std::string_view word) const;
    bool operator==(const UiLine&) const = default;
};

// Without the line break.
std::string format_ui_line(const UiLine& line);
// nullopt for a line that is not in the form above.
std::optional<UiLine> parse_ui_line(std::string_view line);
// Every line of a dump; nullopt when any line is malformed.
std::optional<std::vector<UiLine>> parse_ui_dump(std::string_view dump);

std::string escape_ui_text(std::u16string_view text);
// nullopt for a bad escape.
std::optional<std::u16string> unescape_ui_text(std::string_view text);

}  // namespace zt::platform::gui
