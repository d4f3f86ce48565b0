// Where the item lives: on the Today screen by itself, or inside the tabbed host that names it.
#include "contracts/today_item.h"
#include "platform/registry/registry.h"
#include "today/today_view.h"

namespace zt::today {
namespace {

namespace registry = platform::registry;

std::optional<registry::Key> host_key(const registry::Key& item) {
    const std::optional<std::u16string> host = item.get_string(u"STEmbedded");
    if (!host || host->empty()) return std::nullopt;
    std::u16string path = contracts::kTodayItemsKeyPath;
    path += u'\\';
    path += *host;
    return registry::Key::open(registry::Root::LocalMachine, path);
}

}  // namespace

TodayHost read_today_host() {
    TodayHost host;
    const std::optional<registry::Key> item = registry::Key::open(registry::Root::LocalMachine, contracts::kTodayItemKeyPath);
    if (!item || item->get_dword(u"Enabled").value_or(0) != 0) return host;
    const std::optional<registry::Key> outer = host_key(*item);
    if (!outer) return host;
    host.stand_alone = false;
    host.embedded = true;
    uint32_t possible_tabs = outer->get_dword(u"STCPossibleTabs").value_or(0);
    host.indent = outer->get_dword(u"STCRecommendedIndent").value_or(0);
    // A host inside another host can offer tabs when either of them does. One level only: a
    // chain of hosts naming each other must not loop.
    if (const std::optional<registry::Key> outermost = host_key(*outer))
        possible_tabs |= outermost->get_dword(u"STCPossibleTabs").value_or(0);
    host.tabs_capable = (possible_tabs & 1) != 0;
    return host;
}

}  // namespace zt::today
