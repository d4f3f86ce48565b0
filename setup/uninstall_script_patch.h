#pragma once
// Versions 2.0.0 and 2.0.1 left an uninstall script that deletes the maker's shared keys
// ("HKLM\Software\Zunworks", "HKCU\Software\Zunworks") and another product's; upgrading from
// them narrows the script to this product's keys before the old uninstall runs.
#include <string>

namespace zt::setup {

// The text transformation: every <nocharacteristic type="HKLM\Software\Zunworks" (and the
// HKCU one) names "...\Zun Time" instead, and every "Zun Weather" becomes "Zun Time\del_it".
std::u16string patch_uninstall_script_text(std::u16string text);

// Reads the script named by HKLM "Security\AppInstall\Zun Time" "Uninstall" (UTF-16LE) and
// writes it back patched. A missing value or file, or a file of an odd byte count, is left.
void patch_old_uninstall_script();

}  // namespace zt::setup
