#pragma once
// An item's options: the screen makes a plain device dialog "Item Options", lets the item's
// procedure initialise it (kMsgInitDialog) and shows it, unless the procedure ended it at once
// (end_options_dialog), as an item that keeps its options elsewhere does.
#include "platform/gui/today_item_abi.h"

class QDialog;
class QWidget;

namespace zt::platform::today {

inline constexpr char16_t kOptionsDialogTitle[] = u"Item Options";

// The shown dialog (window-modal over `parent`, deleted when closed), or nullptr when the
// procedure ended it or deleted it.
QDialog* open_item_options(QWidget& parent, OptionsDialogFunction procedure);

}  // namespace zt::platform::today
