#pragma once
// The Today items registered with the device: one sub-key per item under HKLM
// "SOFTWARE\Microsoft\Today\Items", in the order the screen stacks them.
//
// Values of an item's key (names without regard to case, as the registry compares them):
//   "DLL"            REG_SZ    the item library's device path
//   "Enabled"        REG_DWORD non-zero: the entry is enabled (absent: disabled)
//   "Order"          REG_DWORD the sort key (absent: 0)
//   "Options"        REG_DWORD non-zero: the item has an options dialog
//   "Type"           REG_DWORD handed to the item as it is
//   "Selectability"  REG_DWORD 0: the screen never moves the selection onto the item
//   "TabHost"        REG_DWORD 1: the device's built-in tabbed host item, which has no library
// A value of another type reads as absent.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/gui/today_item_abi.h"

namespace zt::platform::today {

inline constexpr char16_t kTodayItemsKey[] = u"SOFTWARE\\Microsoft\\Today\\Items";

struct TodayItemEntry {
    std::u16string name;
    std::u16string dll;
    bool enabled { false };
    uint32_t order { 0 };
    uint32_t options { 0 };
    uint32_t type { 0 };
    uint32_t selectability { 0 };
    bool tab_host { false };
};

// Sorted by "Order", then by name without regard to case.
std::vector<TodayItemEntry> registered_today_items();

// The list entry handed to the library: the name cut to 32 units, height 0.
TodayListItem list_item_of(const TodayItemEntry& entry);

}  // namespace zt::platform::today
