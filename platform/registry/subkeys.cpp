#include "platform/registry/subkeys.h"

namespace zt::platform::registry {

std::vector<NamedKey> open_subkeys(Root root, std::u16string_view path) {
    std::vector<NamedKey> list;
    const auto parent = Key::open(root, path);
    if (!parent) return list;
    for (uint32_t index = 0;; ++index) {
        auto name = parent->enum_subkey(index);
        if (!name) break;
        if (auto key = parent->open_subkey(*name)) list.push_back({ std::move(*name), std::move(*key) });
    }
    return list;
}

}  // namespace zt::platform::registry
