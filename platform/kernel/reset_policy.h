#pragma once

namespace zt::platform {

// Manual: a set event stays set, releasing every waiter, until reset.
// Automatic: a set event releases one waiter and clears itself as it does.
enum class ResetPolicy { Manual, Automatic };

}  // namespace zt::platform
