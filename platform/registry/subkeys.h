#pragma once
// The sub-keys of a key opened one by one, for the device's lists kept as one sub-key per
// entry (Today items, applets).
#include <string>
#include <string_view>
#include <vector>

#include "platform/registry/registry.h"

namespace zt::platform::registry {

struct NamedKey {
    std::u16string name;
    Key key;
};

// Every sub-key of the key at `path` that opens, in the registry's order; empty when the key
// does not exist.
std::vector<NamedKey> open_subkeys(Root root, std::u16string_view path);

}  // namespace zt::platform::registry
