#include "platform/hosts/zt_today/today_items.h"

#include <algorithm>
#include <iterator>

#include "platform/base/text.h"
#include "platform/registry/subkeys.h"

namespace zt::platform::today {
namespace {

using registry::Key;
using registry::Root;

TodayItemEntry read_entry(const Key& key, std::u16string name) {
    TodayItemEntry entry;
    entry.name = std::move(name);
    entry.dll = key.get_string(u"DLL").value_or(u"");
    entry.enabled = key.get_dword(u"Enabled").value_or(0) != 0;
    entry.order = key.get_dword(u"Order").value_or(0);
    entry.options = key.get_dword(u"Options").value_or(0);
    entry.type = key.get_dword(u"Type").value_or(0);
    entry.selectability = key.get_dword(u"Selectability").value_or(0);
    entry.tab_host = key.get_dword(u"TabHost").value_or(0) == 1;
    return entry;
}

}  // namespace

std::vector<TodayItemEntry> registered_today_items() {
    std::vector<TodayItemEntry> entries;
    for (auto& [name, key] : registry::open_subkeys(Root::LocalMachine, kTodayItemsKey))
        entries.push_back(read_entry(key, std::move(name)));
    std::stable_sort(entries.begin(), entries.end(), [](const TodayItemEntry& a, const TodayItemEntry& b) {
        if (a.order != b.order) return a.order < b.order;
        return fold_case(a.name) < fold_case(b.name);
    });
    return entries;
}

TodayListItem list_item_of(const TodayItemEntry& entry) {
    TodayListItem item;
    const size_t length = std::min(entry.name.size(), std::size(item.name) - 1);
    std::copy_n(entry.name.begin(), length, item.name);
    item.type = entry.type;
    item.order = entry.order;
    item.enabled = entry.enabled;
    item.options = entry.options;
    item.selectability = entry.selectability;
    return item;
}

}  // namespace zt::platform::today
