#pragma once
// The options sheet's links back to the main dialog: what a skin chosen on the skins page does
// (the dialog loads and shows it), and what runs once the sheet has closed (settings read again,
// skin reloaded after a turn of the screen). The sheet itself is open_options_sheet
// (options_sheet_launcher.h).
#include <functional>
#include <string>
#include <vector>

#include "app/dialogs/skins_page.h"

namespace zt::app {

void set_options_sheet_closed_hook(std::function<void()> hook);
// For the next opening of the sheet only; an opening without one only stores the chosen skin
// (a sheet of its own, from the command line). A request that finds the sheet open drops it:
// the open sheet keeps its opener's.
void set_options_sheet_skin_hook(SkinChosenHook hook);

// The page titles in the sheet's order, before translation.
const std::vector<std::u16string>& options_page_titles();

// The open sheet's current page, or -1 when none is open (tests, and the dialog's keys).
int open_options_sheet_page();

}  // namespace zt::app
