#pragma once
// The applets registered with the device: one sub-key per applet under HKLM
// "SOFTWARE\Zunworks\Shared\TabApplets", with "DLL" (the library's device path), "Name" (what
// the dock's Add menu shows) and "Label". A key without a "DLL" string is no applet.
#include <string>
#include <vector>

namespace zt::platform::dock {

inline constexpr char16_t kTabAppletsKey[] = u"SOFTWARE\\Zunworks\\Shared\\TabApplets";

struct TabApplet {
    std::u16string key;
    std::u16string dll;
    std::u16string name;  // the key's name when "Name" is absent
    std::u16string label;
};

// Sorted by name without regard to case.
std::vector<TabApplet> registered_tab_applets();

}  // namespace zt::platform::dock
