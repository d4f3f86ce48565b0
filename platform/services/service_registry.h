#pragma once
// The services registered with the device: sub-keys of HKEY_LOCAL_MACHINE "Services", each
//
//   "Dll"     REG_SZ     file name in \Windows\ (or a device path), an ELF shared object
//   "Prefix"  REG_SZ     the entry-point prefix: <Prefix>_Init, <Prefix>_Deinit
//   "Order"   REG_DWORD  load order, lower first (default 0; ties by key name)
//   "Index"   REG_DWORD  the instance number in the device name "STM0:" (default 0)
//   "Keep"    REG_DWORD  0 unloads the library right after <Prefix>_Init (default 1)
//   "Flags"   REG_DWORD  0x4 (DEVFLAGS_NOLOAD): not loaded at start, only when activated
//
// An entry without a "Dll" or with a prefix that is not 1..8 letters, digits or "_" is not a
// service and is left out (it cannot be loaded).
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zt::platform::services {

inline constexpr uint32_t kFlagNoLoad = 0x4;

struct ServiceEntry {
    std::u16string name;  // the key name
    std::u16string dll;
    std::u16string prefix;
    uint32_t order { 0 };
    uint32_t index { 0 };
    bool keep { true };
    uint32_t flags { 0 };

    std::u16string device_name() const;  // prefix + index + ":"
};

// Every valid entry, in load order.
std::vector<ServiceEntry> registered_services();
// The entry of that key name (any case); nullopt when missing or not valid.
std::optional<ServiceEntry> registered_service(std::u16string_view name);

}  // namespace zt::platform::services
