#pragma once
// What makes a SQLite file a database volume of this device, and how its calls wait.
#include <cstdint>

namespace zt::platform::dbvol::detail {

// Marks a file as a volume of this device ("ZTDV"), so another program's SQLite file is never
// mistaken for one and written into.
inline constexpr int64_t kVolumeApplicationId = 0x5A544456;
// How long a call waits for another process's write to end.
inline constexpr int kBusyTimeoutMs = 5000;

}  // namespace zt::platform::dbvol::detail
