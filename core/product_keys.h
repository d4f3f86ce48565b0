#pragma once
// Where the product keeps its records and settings: HKEY_CURRENT_USER under the product key.
// Other programs read the same values, so these names are fixed.

namespace zt::core {

inline constexpr char16_t kProductKeyPath[] = u"Software\\Zunworks\\Zun Time";
inline constexpr char16_t kAlarmsKeyPath[] = u"Software\\Zunworks\\Zun Time\\Alarms";
inline constexpr char16_t kTimersKeyPath[] = u"Software\\Zunworks\\Zun Time\\Timers";
inline constexpr char16_t kSettingsKeyPath[] = u"Software\\Zunworks\\Zun Time\\Settings";
inline constexpr char16_t kAppPathValue[] = u"AppPath";

// Every record write and every full reload holds this device-wide mutex.
inline constexpr char16_t kStoreMutexName[] = u"4D79064E-A5B0-4a41-92B5-89527B016871Timer";

}  // namespace zt::core
