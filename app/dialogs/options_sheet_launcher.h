#pragma once
// The options sheet "Zun Time": at most one is open; asking again switches its page.
class QWidget;

namespace zt::app {

// Page numbers in the sheet's order.
enum class OptionsPage : int { Skins = 0, Alarms = 1, Timers = 2, Cities = 3, Today = 4, ScreenSaver = 5, Buttons = 6 };

// Opens the sheet on the page (an unknown page number opens page 0) and returns when it closes,
// after the main-program settings have been read again. When a sheet is already open it only
// switches the page and returns at once.
void open_options_sheet(int page, QWidget* parent);

}  // namespace zt::app
