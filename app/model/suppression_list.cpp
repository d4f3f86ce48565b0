#include "app/model/suppression_list.h"

#include "contracts/registry_keys.h"
#include "core/number_text.h"
#include "platform/registry/registry.h"

namespace zt::app {

namespace registry = platform::registry;

std::vector<std::u16string> load_suppression_list() {
    std::vector<std::u16string> names;
    const std::optional<registry::Key> key = registry::Key::open(registry::Root::CurrentUser,
                                                                 contracts::kScreenSaverDisablingKeyPath);
    if (!key) return names;
    for (uint32_t index = 0;; ++index) {
        const std::optional<registry::Key::ValueInfo> value = key->enum_value(index);
        if (!value) break;
        if (std::optional<std::u16string> text = key->get_string(value->name); text && !text->empty())
            names.push_back(std::move(*text));
    }
    return names;
}

bool save_suppression_list(const std::vector<std::u16string>& names) {
    // Rewritten whole, so that removed entries leave no gaps and the names run from "  0".
    registry::delete_tree(registry::Root::CurrentUser, contracts::kScreenSaverDisablingKeyPath);
    std::optional<registry::Key::Created> made = registry::Key::create(registry::Root::CurrentUser,
                                                                       contracts::kScreenSaverDisablingKeyPath);
    if (!made) return false;
    int32_t index = 0;
    for (const std::u16string& name : names) {
        if (name.empty()) continue;
        made->key.set_string(core::format_three_places(index++), name);
    }
    made->key.flush();
    return true;
}

}  // namespace zt::app
