#pragma once
// The item command (0x046B) another program sends after it changed an alarm or a timer: the
// main program's in-memory copy follows what was done.
#include <cstdint>

namespace zt::core {
class CTimeStore;
}

namespace zt::app {

struct ItemCommandOutcome {
    bool item_found { false };
    // An alarm was deleted or read again: the active screen must be redrawn.
    bool redraw_needed { false };
};

// command: a contracts::ItemCommand number. One that does not fit the item's type, or that no
// command has, does nothing. Change (an alarm created or changed elsewhere, as zt-alarm tells)
// reads that alarm from the registry again, even when this store did not have it yet.
ItemCommandOutcome apply_item_command(zt::core::CTimeStore& store, int32_t item_id, uint16_t command,
                                      uint16_t argument);

}  // namespace zt::app
