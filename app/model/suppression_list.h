#pragma once
// The programs that keep the screensaver away while they are in front: the texts of the
// "ScreenSaverDisabling" key, in the key's order. The service reads the key itself; the
// options page edits it through these.
#include <string>
#include <vector>

namespace zt::app {

// The non-empty texts of the key; empty when it does not exist.
std::vector<std::u16string> load_suppression_list();
// Deletes the key with everything in it, creates it again and writes one text per name, named
// by its index in three places ("  0", "  1", ...). Empty names are left out. False when the
// key could not be made.
bool save_suppression_list(const std::vector<std::u16string>& names);

}  // namespace zt::app
