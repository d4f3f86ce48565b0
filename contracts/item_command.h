#pragma once
// The item command: what a program did to an alarm or a timer, posted to the main program
// and the Today item so that each mirrors the change in its own copy of the records.
// Parameter 1 is the item's identifier; parameter 2 the command in its high 16 bits and the
// command's argument in its low 16 bits.
#include <cstdint>

namespace zt::contracts {

inline constexpr uint32_t kMsgItemCommand = 0x046B;  // WM_USER + 107

enum class ItemCommand : uint16_t {
    Snooze = 0,        // an alarm was snoozed; argument: minutes
    Dismiss = 1,       // an alarm's snooze was dismissed
    ResetTimer = 2,    // a timer was dismissed, so it is reset
    RestartTimer = 3,  // a timer was restarted
    Delete = 4,        // the item was removed (a one-time alarm after Dismiss)
    Enable = 5,        // an alarm was enabled
    Disable = 6,       // an alarm was disabled
    Change = 7,        // an alarm was created or changed and stored; the receiver reads it again
};

inline constexpr uint32_t item_command_parameter(ItemCommand command, uint16_t argument) {
    return (static_cast<uint32_t>(command) << 16) | argument;
}

// The two halves of parameter 2. The command is left as a number: a receiver ignores one it
// does not know.
struct ItemCommandWord {
    uint16_t command { 0 };
    uint16_t argument { 0 };
};

inline constexpr ItemCommandWord split_item_command_parameter(uint32_t parameter) {
    return { static_cast<uint16_t>(parameter >> 16), static_cast<uint16_t>(parameter & 0xFFFFu) };
}

}  // namespace zt::contracts
