#pragma once
// How zt-reg shows a value's type and data to people and scripts.
#include <cstdint>
#include <span>
#include <string>

#include "platform/registry/registry.h"

namespace zt::platform::zt_reg {

// "REG_SZ", "REG_DWORD", ...; "REG_TYPE_<n>" for a type the device gives no name.
std::string type_name(registry::ValueType type);

// The data as `zt-reg get` prints it, each line ending in '\n': the text of a REG_SZ or
// REG_EXPAND_SZ; a REG_DWORD in decimal; a REG_MULTI_SZ one string a line; anything else,
// or a REG_DWORD that is not 4 bytes, in hex.
std::string format_for_get(registry::ValueType type, std::span<const uint8_t> data);

// The data on one line, for `zt-reg list`: as for get, with control characters escaped and
// the strings of a REG_MULTI_SZ separated by "\0".
std::string format_for_list(registry::ValueType type, std::span<const uint8_t> data);

}  // namespace zt::platform::zt_reg
