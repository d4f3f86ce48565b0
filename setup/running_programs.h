#pragma once
// Ending the product's running programs before their files are replaced or removed, and
// telling the shell that its plug-ins changed.
#include "platform/windows/window_info.h"

namespace zt::setup {

inline constexpr char16_t kMainWindowClass[] = u"ZUNTIME{2604481D-3AF8-4FB8-919B-DADFC8A43285}";
inline constexpr char16_t kRingoutProgram[] = u"\\Windows\\Ringout.exe";
inline constexpr char16_t kRingoutClassPrefix[] = u"Afx:";
// The handheld shell's desktop window, which reloads its Today items on the notice below.
inline constexpr char16_t kDesktopWindowClass[] = u"DesktopExplorerWindow";
inline constexpr uint32_t kWmClose = 0x0010;
inline constexpr uint32_t kWmQuit = 0x0012;
inline constexpr uint32_t kWmWinIniChange = 0x001A;
inline constexpr uint32_t kShellPluginsChanged = 0xF2;

// WM_CLOSE, up to three checks 1700 ms apart, WM_QUIT likewise, then the process is ended.
// Nothing for a window of this very process.
void close_window(const platform::WindowInfo& window);
// The main program's window and Ringout's ringing window.
void close_running_programs();
// WM_WININICHANGE 0xF2 to the desktop window, then a 1000 ms wait for it to reload. A device
// without a shell window has nothing to reload, so nothing is sent and nobody waits.
void tell_shell();

}  // namespace zt::setup
