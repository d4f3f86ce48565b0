#include "platform/gui/dock_applet_abi.h"

#include "platform/base/text.h"

namespace zt::platform::dock {

uint32_t register_window_message(std::u16string_view name) {
    // Derived from the name alone, so every program (and every copy of this code a library
    // carries) gets the same number without asking anyone.
    uint32_t hash = 2166136261u;
    for (char16_t unit : fold_case(name)) {
        hash = (hash ^ (unit & 0xFFu)) * 16777619u;
        hash = (hash ^ (unit >> 8)) * 16777619u;
    }
    return 0xC000u + hash % 0x4000u;
}

}  // namespace zt::platform::dock
