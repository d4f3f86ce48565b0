#pragma once
// The shared look of the device's dialogs: fonts by control kind, the heading strip, menus
// whose texts pass through a translation, and the input-panel preference stand-in.
// Lengths are for 96 dots per inch and scale with the screen's.
#include <QFont>

#include <functional>
#include <string>
#include <string_view>

class QMenu;
class QPainter;
class QWidget;

namespace zt::platform::gui {

using TranslateText = std::function<std::u16string(std::u16string_view)>;

enum class ControlKind { PushButton, Other };

struct Appearance {
    bool large_fonts { false };
    int dpi { 96 };
};

// "Tahoma" where it is installed, else the machine's sans-serif face; 13 (14 large) high,
// bold push buttons unless the large-font switch is on.
QFont dialog_font(ControlKind kind, const Appearance& appearance);
// The dialog and, recursively, every child get the font of their kind.
void apply_fonts(QWidget& dialog, const Appearance& appearance);
// Captions of the dialog and its children through the translation.
void translate_dialog(QWidget& dialog, const TranslateText& translate);

inline constexpr int kHeadingHeight = 24;
// The heading strip: text at x = 8 centred in a 24-high strip, dark blue, a black line under it.
void paint_heading(QPainter& painter, int width, std::u16string_view text, const Appearance& appearance);

// Every item text of the menu (and its submenus) through the translation, each time it opens.
void translate_menu_on_open(QMenu& menu, TranslateText translate);

// Screens whose width differs from their height get the input-panel preference control.
bool wants_input_panel_preference(int screen_width, int screen_height);
// Adds the hidden stand-in child (object name "SIPPREF") once; false when it already exists.
bool add_input_panel_preference(QWidget& dialog);

}  // namespace zt::platform::gui
