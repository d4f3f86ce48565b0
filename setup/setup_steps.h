#pragma once
// The four steps of the installer hook, in the order the installer calls them. Each runs to
// its end whatever fails on the way; the installer is always told to continue.
#include <string_view>

namespace zt::setup {

void install_init(bool first_call, bool previously_installed, std::u16string_view installation_folder);
void install_exit(std::u16string_view installation_folder);
void uninstall_init(std::u16string_view installation_folder);
void uninstall_exit();

}  // namespace zt::setup
