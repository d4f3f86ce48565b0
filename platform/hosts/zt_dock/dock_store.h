#pragma once
// Where the dock keeps its applets between runs: HKCU "Software\ZunDevice\Dock\Applets", one
// sub-key per applet named 0, 1, ... in panel order, holding
//   "Library"  REG_SZ      the applet library's device path
//   "Data"     REG_BINARY  the applet's blob (absent or empty: none)
// An entry the dock cannot use (no "Library" string, "Data" of another type, a library that
// does not load) keeps every value it has, and the dock writes it back at its place, so a
// library that comes back later finds its applet again. Entries hold values only; a sub-key
// someone put below an entry is not carried over when the dock rewrites the list.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/registry/registry.h"

namespace zt::platform::dock {

inline constexpr char16_t kDockAppletsKey[] = u"Software\\ZunDevice\\Dock\\Applets";

struct StoredApplet {
    std::u16string key;  // the sub-key's name as read ("" for one not yet written)
    std::vector<registry::Key::ValueInfo> values;

    // nullopt when "Library" is missing, empty or not a string.
    std::optional<std::u16string> library() const;
    // The blob (empty when "Data" is absent); nullopt when "Data" is not REG_BINARY.
    std::optional<std::vector<uint8_t>> data() const;
};

StoredApplet stored_applet(std::u16string_view library, std::span<const uint8_t> data);

// Numbered entries in number order, then any other sub-keys in the registry's order.
std::vector<StoredApplet> read_stored_applets();
// Replaces the whole key with these entries, numbered from 0, in one transaction; false (and
// the registry as it was) when it cannot be written.
bool write_stored_applets(const std::vector<StoredApplet>& applets);

}  // namespace zt::platform::dock
