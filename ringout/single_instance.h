#pragma once
// One ringing program per device. The mutex is named after the program's own path (with "/"
// for "\"), so copies installed elsewhere do not block each other.
#include <optional>
#include <string>

#include "platform/kernel/named_mutex.h"

namespace zt::ringout {

enum class InstanceCheck { First, AnotherRuns };

class SingleInstance {
public:
    // Takes the mutex. When it existed, looks up to 3 times (1 s apart) for a running copy's
    // window; finding one means AnotherRuns. After the third miss the copy is taken to be dying
    // and this one starts normally.
    InstanceCheck claim(const std::u16string& own_path);

private:
    std::optional<zt::platform::NamedMutex> m_mutex;  // held for the life of the process
};

// "\Windows\Ringout.exe" -> "/Windows/Ringout.exe".
std::u16string instance_mutex_name(std::u16string path);

// A top-level "Afx:" window whose owner runs the program at `module_path` (both compared
// without regard to case).
bool program_window_exists(const std::u16string& module_path);

}  // namespace zt::ringout
