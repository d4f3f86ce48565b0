#pragma once
// The running processes of this device.
//
// A process belongs to the device when its executable lies inside the device root, or when
// its environment at start had ZT_ROOT naming this root (compared as canonical paths). Its
// device path is then the mapped executable, else its ZT_MODULE, else
// "\Windows\" + the executable's file name. Processes of other users cannot be inspected
// and are never listed; ended (zombie) processes are not running and are not listed either.
// The calling process is always listed, with own_module_path().
#include <optional>
#include <string>
#include <vector>

namespace zt::platform {

struct ProcessEntry {
    int id { 0 };
    std::u16string module_path;
};

std::vector<ProcessEntry> device_processes();

// The device path of one process, or nullopt when it is gone or not of this device.
std::optional<std::u16string> process_module_path(int id);

}  // namespace zt::platform
