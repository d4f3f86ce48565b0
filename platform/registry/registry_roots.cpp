#include "platform/base/text.h"
#include "platform/registry/key_path.h"
#include "platform/registry/registry.h"
#include "platform/registry/registry_store.h"

namespace zt::platform::registry {

Status delete_key(Root root, std::u16string_view path) {
    return detail::delete_key(detail::root_key_id(root), path);
}

Status delete_tree(Root root, std::u16string_view path) {
    auto components = detail::split_key_path(path);
    if (components && components->empty()) return Status::InvalidArgument;  // the whole hive
    return detail::delete_tree(detail::root_key_id(root), path);
}

std::optional<Root> parse_root(std::u16string_view name) {
    if (equal_ignoring_case(name, u"HKCU") || equal_ignoring_case(name, u"HKEY_CURRENT_USER"))
        return Root::CurrentUser;
    if (equal_ignoring_case(name, u"HKLM") || equal_ignoring_case(name, u"HKEY_LOCAL_MACHINE"))
        return Root::LocalMachine;
    return std::nullopt;
}

std::u16string_view root_name(Root root) {
    return root == Root::CurrentUser ? u"HKEY_CURRENT_USER" : u"HKEY_LOCAL_MACHINE";
}

}  // namespace zt::platform::registry
