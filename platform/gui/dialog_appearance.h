#pragma once
// The shared look of the device's dialogs: fonts by control kind, the heading strip, menus
// whose texts pass through a translation, and the input-panel preference stand-in.
// Lengths are for 96 dots per inch and scale with the screen's.
//
// DialogLook puts all of it on one dialog by construction: install it right after making the
// dialog (or a page of a sheet) and it acts when the dialog initialises (its first polish,
// before it is laid out and shown, whatever controls its constructor made), whenever it paints,
// and whenever one of its menus opens.
#include <QFont>
#include <QObject>

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

// "Tahoma" where it is installed, else the machine's sans-serif face; a cell (ascent plus
// descent) 13 high (14 large), bold push buttons unless the large-font switch is on. The
// pixel size is the largest whose cell fits, as the handheld sizes a font by its cell height.
QFont dialog_font(ControlKind kind, const Appearance& appearance);
// The cell height dialog_font aims at: 13 or 14, scaled by dots per inch.
int dialog_cell_height(const Appearance& appearance);
// The dialog and, recursively, every child get the font of their kind.
void apply_fonts(QWidget& dialog, const Appearance& appearance);
// Captions of the dialog and its children (window title, buttons, labels, group boxes,
// combo-box items) through the translation. Each text is translated from the English it had
// when first seen, so applying it again never translates a translation.
void translate_dialog(QWidget& dialog, const TranslateText& translate);
// Only the texts of the buttons among its children, the same way.
void translate_buttons(QWidget& dialog, const TranslateText& translate);

inline constexpr int kHeadingHeight = 24;
// The heading strip: text at x = 8 centred in a 24-high strip, dark blue, a black line under it.
void paint_heading(QPainter& painter, int width, std::u16string_view text, const Appearance& appearance);
// The strip and its line, in the dialog's pixels.
int heading_strip_height(const Appearance& appearance);

// Every item text of the menu (and its submenus) through the translation, each time it opens.
void translate_menu_on_open(QMenu& menu, TranslateText translate);

// Screens whose width differs from their height get the input-panel preference control.
bool wants_input_panel_preference(int screen_width, int screen_height);
// Adds the hidden stand-in child (object name "SIPPREF") once; false when it already exists.
bool add_input_panel_preference(QWidget& dialog);

struct DialogLookOptions {
    Appearance appearance;
    // Captions, combo-box items and menus; none leaves them as they are.
    TranslateText translate;
    // The heading strip's text as shown (not translated again); empty: no strip.
    std::u16string heading;
    // On screens that are not square.
    bool input_panel_preference { true };
};

class DialogLook final : public QObject {
public:
    // The dialog's look (one per dialog; installing again replaces the options). It keeps the
    // top of the dialog free for the strip through the dialog's contents margins.
    static DialogLook& install(QWidget& dialog, DialogLookOptions options);
    // nullptr when the dialog has none.
    static DialogLook* of(const QWidget& dialog);

    // What initialisation does: fonts, captions, menus, the input-panel preference. Runs by
    // itself on the dialog's first polish; call it again after adding controls later.
    void apply();
    const DialogLookOptions& options() const { return m_options; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    DialogLook(QWidget& dialog, DialogLookOptions options);
    void set_options(DialogLookOptions options);
    void hook_menus();

    QWidget& m_dialog;
    DialogLookOptions m_options;
    bool m_applied { false };
    int m_strip_margin { 0 };
};

}  // namespace zt::platform::gui
