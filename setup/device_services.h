#pragma once
// The installer hook's calls on the running device: its service manager, programs it starts,
// user notifications, and the platform acts that have a nearest counterpart here (desktop
// entry for the start-menu shortcut, nothing to provision for the trust certificate).
#include <string_view>

namespace zt::setup {

inline constexpr char16_t kServiceLibraryPath[] = u"\\Windows\\ZunTimeService.dll";
inline constexpr char16_t kProgramsFolder[] = u"\\Windows\\Start Menu\\Programs";

// Deregisters "STM0:" in the running device, deletes HKLM "Services\ZunTime" and the library.
void stop_service();
// ActivateService("ZunTime"): skipped when no device runs (it loads the service at its start).
void activate_service();
// "\Windows\Notepurge.exe NoMsg", waited for at most 20 s.
void run_notepurge();
void register_time_change_notification();
// "TimerNotify", "ZunAlarmNotify", "ZunWakeupHelperNotify", then "TimeChangeNotify".
void cancel_notifications();
// "TimerNotify", "ZunAlarmNotify" and "ZunWakeupHelperNotify" only: what the previous
// version registered for its next due item.
void clear_scheduling_notifications();

// The device has no trust store: every program it runs is trusted, so there is nothing to
// provision. Kept as a step so the installer's order stays visible.
void provision_trust_certificate();

// The start-menu shortcut "Zun Time.lnk" becomes the desktop entry "Zun Time.desktop" in the
// device's programs folder, starting the main program of this device root.
void create_program_shortcut(std::u16string_view installation_folder);
void delete_program_shortcut();

}  // namespace zt::setup
