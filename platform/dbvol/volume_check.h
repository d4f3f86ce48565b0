#pragma once
// Telling a damaged volume file from one that only cannot be read just now, so that a
// program that owns a volume can replace a damaged one and never a sound one.
#include <string>
#include <string_view>

namespace zt::platform::dbvol {

enum class VolumeCondition {
    Missing,     // no file of that name
    Sound,       // a volume (or an empty file, which a mount makes one) that reads correctly
    Damaged,     // never usable as a volume: not a regular file, not an SQLite database, a
                 // database of another kind, or one that fails SQLite's integrity check
    Unreadable,  // cannot be looked at now (permissions, busy beyond the wait, I/O); its bytes
                 // may be fine, so it must be left alone
};

struct VolumeDiagnosis {
    VolumeCondition condition { VolumeCondition::Unreadable };
    std::string reason;  // for Damaged and Unreadable, one line
};

// Looks at the volume file without changing it; reads every page once, so it is meant for
// after a failure, not for every mount.
VolumeDiagnosis diagnose_volume(std::u16string_view name);

}  // namespace zt::platform::dbvol
