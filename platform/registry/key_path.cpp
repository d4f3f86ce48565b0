#include "platform/registry/key_path.h"

namespace zt::platform::registry::detail {

std::optional<std::vector<std::u16string_view>> split_key_path(std::u16string_view path) {
    if (path.size() > kMaxKeyPath) return std::nullopt;
    if (!path.empty() && path.front() == u'\\') path.remove_prefix(1);
    if (!path.empty() && path.back() == u'\\') path.remove_suffix(1);
    std::vector<std::u16string_view> components;
    if (path.empty()) return components;
    size_t start = 0;
    while (true) {
        size_t end = path.find(u'\\', start);
        auto component = path.substr(start, end == std::u16string_view::npos ? path.npos : end - start);
        if (component.empty() || component.size() > kMaxKeyComponent) return std::nullopt;
        components.push_back(component);
        if (end == std::u16string_view::npos) break;
        start = end + 1;
    }
    return components;
}

bool valid_value_name(std::u16string_view name) { return name.size() <= kMaxValueName; }

}  // namespace zt::platform::registry::detail
