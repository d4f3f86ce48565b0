#pragma once
// What the other programs count on when they start or close the ringing program.
#include <cstdint>

namespace zt::contracts {

inline constexpr char16_t kRingoutPath[] = u"\\Windows\\Ringout.exe";
// Its windows' classes start with this; the program is told apart by its path.
inline constexpr char16_t kRingoutClassPrefix[] = u"Afx:";
// The maintenance run: timers reset and saved, the next due item registered, no window.
inline constexpr char16_t kRingoutMaintenanceCommand[] = u"notify";

// Its ends: 0 when done (it registered the next due item itself), -1 for a second copy that
// gave way to a running one.
inline constexpr int kRingoutDone = 0;
inline constexpr int kRingoutGaveWay = -1;

// An end as the device reads it back: it keeps 8 bits of an exit code (-1 reads as 255).
inline constexpr uint32_t device_exit_code(int end) { return static_cast<uint8_t>(end); }

}  // namespace zt::contracts
