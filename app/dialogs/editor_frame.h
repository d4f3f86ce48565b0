#pragma once
// What the main program's full-screen editors share (the alarm and timer editors, the lap
// times): the soft-key commands, the frame of fields above and soft keys at the bottom that fills
// the device's screen, and the device window through which the device's tools find them.
#include <cstdint>
#include <functional>
#include <memory>
#include <string_view>

class QDialog;
class QLayout;
class QMenu;
class QWidget;

namespace zt::platform {
class QtMessagePump;
}
namespace zt::platform::gui {
class SoftKeyBar;
}

namespace zt::app {

inline constexpr uint32_t kEditorOkCommand = 1;      // IDOK
inline constexpr uint32_t kEditorCancelCommand = 2;  // IDCANCEL
inline constexpr uint32_t kEditorHelpCommand = 57670;
// The device window class of a dialog, so the device's tools find the open editor.
inline constexpr char16_t kDialogClass[] = u"Dialog";

// OK, the Tools menu when there is one, Help, and Cancel when asked for; texts translated.
platform::gui::SoftKeyBar* make_editor_soft_keys(QDialog& dialog, std::function<void(uint32_t command)> on_command,
                                                 QMenu* tools, bool with_cancel);

// Top to bottom with narrow margins (the dialog fills a 240-pixel wide screen as well): the
// fields (may be null), the body (may be null; it takes the spare height when it stretches),
// the soft keys. The dialog takes the whole screen.
void lay_out_editor(QDialog& dialog, QLayout* fields, QWidget* body, bool body_stretches, QWidget& soft_keys);

// The dialog as a device window titled with its translated heading.
std::unique_ptr<platform::QtMessagePump> make_dialog_window(QDialog& dialog, std::u16string_view english_heading);

}  // namespace zt::app
