#pragma once
// Names and numbers the service shares with the other programs of the product.
#include <cstdint>

namespace zt::service {

inline constexpr char16_t kServiceWindowClass[] = u"ZUNTIME{E9A24090-D854-4947-8FA2-CA9D4A1A3B1D}";
inline constexpr char16_t kMainWindowClass[] = u"ZUNTIME{2604481D-3AF8-4FB8-919B-DADFC8A43285}";

// To the service window.
inline constexpr uint32_t kMsgRereadScreenSaverSettings = 0x0499;
inline constexpr uint32_t kMsgStartScreenSaver = 0x049A;
// To the main program's window.
inline constexpr uint32_t kMsgEndScreenSaver = 0x0469;

inline constexpr char16_t kRingoutPath[] = u"\\Windows\\Ringout.exe";
// Ringout's own ends: 0 when it is done (it registered the next due item itself), and -1 (255
// in the device's 8 bits) for a second copy that gave way to a running one. Any other end, a
// kill or a crash among them, left the next due item unregistered.
inline constexpr uint32_t kRingoutDone = 0;
inline constexpr uint32_t kRingoutGaveWay = 255;
inline constexpr char16_t kScreenSaverCommandLine[] = u"ScreenSaver";
inline constexpr char16_t kScreenSaverDisablingKeyPath[] = u"Software\\Zunworks\\Zun Time\\ScreenSaverDisabling";

inline constexpr char16_t kAlarmEventName[] = u"ZunAlarmNotify";
inline constexpr char16_t kTimeChangeEventName[] = u"TimeChangeNotify";

// Unattended mode exists from platform 4.0 on (major * 100 + minor).
inline constexpr uint32_t kUnattendedModeMinVersion = 400;

}  // namespace zt::service
