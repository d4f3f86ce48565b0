#pragma once
// Where the product keeps what its programs share: HKEY_CURRENT_USER under the product key,
// and the mutex every record write and full reload holds.
namespace zt::contracts {

inline constexpr char16_t kProductKeyPath[] = u"Software\\Zunworks\\Zun Time";
inline constexpr char16_t kAlarmsKeyPath[] = u"Software\\Zunworks\\Zun Time\\Alarms";
inline constexpr char16_t kTimersKeyPath[] = u"Software\\Zunworks\\Zun Time\\Timers";
inline constexpr char16_t kSettingsKeyPath[] = u"Software\\Zunworks\\Zun Time\\Settings";
inline constexpr char16_t kSkinsKeyPath[] = u"Software\\Zunworks\\Zun Time\\Skins";
// The world map's two settings ("TZTwilightOn", "TZShowCities").
inline constexpr char16_t kWorldMapKeyPath[] = u"Software\\Zunworks\\Zun Time\\TZ";
// The button mappings: one binary value per profile ("0" ... "5").
inline constexpr char16_t kMappingsKeyPath[] = u"Software\\Zunworks\\Zun Time\\Mappings";
inline constexpr char16_t kScreenSaverDisablingKeyPath[] = u"Software\\Zunworks\\Zun Time\\ScreenSaverDisabling";
// The main program's device path, a string value of the product key.
inline constexpr char16_t kAppPathValue[] = u"AppPath";

inline constexpr char16_t kStoreMutexName[] = u"4D79064E-A5B0-4a41-92B5-89527B016871Timer";

}  // namespace zt::contracts
