#include "platform/hosts/zt_dock/tab_applets.h"

#include <algorithm>

#include "platform/base/text.h"
#include "platform/registry/subkeys.h"

namespace zt::platform::dock {

std::vector<TabApplet> registered_tab_applets() {
    std::vector<TabApplet> applets;
    for (auto& [name, key] : registry::open_subkeys(registry::Root::LocalMachine, kTabAppletsKey)) {
        auto dll = key.get_string(u"DLL");
        if (!dll || dll->empty()) continue;
        applets.push_back({ name, std::move(*dll), key.get_string(u"Name").value_or(name), key.get_string(u"Label").value_or(u"") });
    }
    std::stable_sort(applets.begin(), applets.end(),
                     [](const TabApplet& a, const TabApplet& b) { return fold_case(a.name) < fold_case(b.name); });
    return applets;
}

}  // namespace zt::platform::dock
