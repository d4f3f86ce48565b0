#pragma once
// What the other programs count on when they reach the background service: its window's
// class and messages, and the named events it waits on.
#include <cstdint>

namespace zt::contracts {

inline constexpr char16_t kServiceClass[] = u"ZUNTIME{E9A24090-D854-4947-8FA2-CA9D4A1A3B1D}";

inline constexpr uint32_t kMsgRereadScreenSaverSettings = 0x0499;  // WM_USER + 153, from the main program
inline constexpr uint32_t kMsgStartScreenSaver = 0x049A;           // WM_USER + 154, from the Today item

// Set by the device's notifications: the alarm 30 s before the next due item, the wake-up 5 s
// before it, and every change of the device clock (registered by the installer hook).
inline constexpr char16_t kAlarmNotifyName[] = u"ZunAlarmNotify";
inline constexpr char16_t kWakeupHelperNotifyName[] = u"ZunWakeupHelperNotify";
inline constexpr char16_t kTimeChangeNotifyName[] = u"TimeChangeNotify";

}  // namespace zt::contracts
