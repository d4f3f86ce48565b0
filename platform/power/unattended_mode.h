#pragma once
// Unattended mode (the platform's PowerPolicyNotify(PPN_UNATTENDEDMODE, on)): a program asks
// the device to keep running with the display off, for example while the ringing program
// starts. Holders are counted per device: each "on" adds one holder, each "off" from the same
// process removes one of its own. A holder whose process dies is dropped, so a crashed
// program never keeps the device awake.
//
// On this host a holder is a small locked file in the device's runtime folder; nothing
// keeps the host itself from suspending (the wake alarm of the running device brings it back).
#include <cstddef>

namespace zt::platform {

// False when the holder cannot be recorded (on) or this process holds none (off).
bool power_policy_notify_unattended(bool on);
// Holders alive now, across every process of the device.
std::size_t unattended_mode_holders();

}  // namespace zt::platform
