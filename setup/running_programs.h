#pragma once
// Ending the product's running programs before their files are replaced or removed, and
// telling the shell that its plug-ins changed.
#include <cstdint>

namespace zt::setup {

// The handheld shell's desktop window, which reloads its Today items on the notice below.
inline constexpr char16_t kDesktopWindowClass[] = u"DesktopExplorerWindow";
inline constexpr uint32_t kShellPluginsChanged = 0xF2;

// The main program's window and Ringout's ringing window, each closed politely: WM_CLOSE, up to
// three checks 1700 ms apart, WM_QUIT likewise, then the process is ended.
void close_running_programs();
// WM_SETTINGCHANGE (WM_WININICHANGE) 0xF2 to the desktop window, then a 1000 ms wait for it to reload. A device
// without a shell window has nothing to reload, so nothing is sent and nobody waits.
void tell_shell();

}  // namespace zt::setup
