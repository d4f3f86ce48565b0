#include "platform/services/service_registry.h"

#include <algorithm>

#include "platform/base/text.h"
#include "platform/registry/registry.h"

namespace zt::platform::services {
namespace {

using registry::Key;
using registry::Root;

constexpr std::u16string_view kServicesKey = u"Services";

bool valid_prefix(std::u16string_view prefix) {
    if (prefix.empty() || prefix.size() > 8) return false;
    return std::all_of(prefix.begin(), prefix.end(), [](char16_t c) {
        return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9') || c == u'_';
    });
}

std::optional<ServiceEntry> read_entry(const Key& services, const std::u16string& name) {
    auto key = services.open_subkey(name);
    if (!key) return std::nullopt;
    ServiceEntry entry;
    entry.name = key->name().substr(key->name().rfind(u'\\') + 1);
    entry.dll = key->get_string(u"Dll").value_or(u"");
    entry.prefix = key->get_string(u"Prefix").value_or(u"");
    entry.order = key->get_dword(u"Order").value_or(0);
    entry.index = key->get_dword(u"Index").value_or(0);
    entry.keep = key->get_dword(u"Keep").value_or(1) != 0;
    entry.flags = key->get_dword(u"Flags").value_or(0);
    if (entry.dll.empty() || !valid_prefix(entry.prefix)) return std::nullopt;
    return entry;
}

}  // namespace

std::u16string ServiceEntry::device_name() const { return prefix + to_u16(std::to_string(index)) + u":"; }

std::vector<ServiceEntry> registered_services() {
    std::vector<ServiceEntry> entries;
    auto services = Key::open(Root::LocalMachine, kServicesKey);
    if (!services) return entries;
    for (uint32_t i = 0;; ++i) {
        auto name = services->enum_subkey(i);
        if (!name) break;
        if (auto entry = read_entry(*services, *name)) entries.push_back(std::move(*entry));
    }
    std::stable_sort(entries.begin(), entries.end(), [](const ServiceEntry& a, const ServiceEntry& b) {
        if (a.order != b.order) return a.order < b.order;
        return fold_case(a.name) < fold_case(b.name);
    });
    return entries;
}

std::optional<ServiceEntry> registered_service(std::u16string_view name) {
    if (name.empty() || name.find(u'\\') != std::u16string_view::npos) return std::nullopt;
    auto services = Key::open(Root::LocalMachine, kServicesKey);
    if (!services) return std::nullopt;
    return read_entry(*services, std::u16string(name));
}

}  // namespace zt::platform::services
