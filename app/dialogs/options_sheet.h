#pragma once
// The options sheet's link back to the main dialog: what runs once the sheet has closed
// (settings read again, skin reloaded after a turn of the screen). The sheet itself is
// open_options_sheet (options_sheet_launcher.h).
#include <functional>
#include <string>
#include <vector>

namespace zt::app {

void set_options_sheet_closed_hook(std::function<void()> hook);

// The page titles in the sheet's order, before translation.
const std::vector<std::u16string>& options_page_titles();

// The open sheet's current page, or -1 when none is open (tests, and the dialog's keys).
int open_options_sheet_page();

}  // namespace zt::app
