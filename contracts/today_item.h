#pragma once
// What the other programs count on when they reach the Today item: its window's class and the
// messages it reloads on. It also takes the item command (contracts/item_command.h) from
// Ringout, the main program and zt-alarm, whatever its parameters: it reloads on any.
#include <cstdint>

#include "contracts/item_command.h"

namespace zt::contracts {

inline constexpr char16_t kTodayItemClass[] = u"ZUNTIME{D9561A90-B72D-44F9-866C-E22E9455AF57}";

// The Today screen's list of items (HKEY_LOCAL_MACHINE), and the item's own key in it. A host
// that embeds other items names them in their keys ("STEmbedded").
inline constexpr char16_t kTodayItemsKeyPath[] = u"SOFTWARE\\Microsoft\\Today\\Items";
inline constexpr char16_t kTodayItemKeyPath[] = u"SOFTWARE\\Microsoft\\Today\\Items\\\"Zun Time\"";

// The city slots changed (from the main program and the installer hook); both parameters 0.
inline constexpr uint32_t kMsgCitiesChanged = 0x046A;  // WM_USER + 106

}  // namespace zt::contracts
