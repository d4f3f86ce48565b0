#pragma once
// The command message the ringing program posts after each answer, so the main program and
// the Today item mirror the change in their own copies of the records.
#include <cstdint>

namespace zt::ringout {

inline constexpr uint32_t kMsgItemCommand = 0x046B;  // WM_USER + 107
inline constexpr char16_t kMainProgramClass[] = u"ZUNTIME{2604481D-3AF8-4FB8-919B-DADFC8A43285}";
inline constexpr char16_t kTodayItemClass[] = u"ZUNTIME{D9561A90-B72D-44F9-866C-E22E9455AF57}";

enum class ItemCommand : uint32_t {
    Snoozed = 0,           // argument: minutes
    AlarmDismissed = 1,
    TimerDismissed = 2,
    TimerRestarted = 3,
    OneTimeDeleted = 4,    // follows AlarmDismissed
};

// Second parameter: command in the high 16 bits, argument in the low 16.
inline constexpr uint32_t item_command_parameter(ItemCommand command, uint32_t argument) {
    return (static_cast<uint32_t>(command) << 16) | (argument & 0xFFFFu);
}

}  // namespace zt::ringout
