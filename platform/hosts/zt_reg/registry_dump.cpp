#include "platform/hosts/zt_reg/registry_dump.h"

#include "platform/base/text.h"

namespace zt::platform::zt_reg {
namespace {
using registry::Key;

void write_key(const Key& key, std::ostream& out) {
    out << format_key_line(key.root(), key.name());
    for (uint32_t i = 0; auto value = key.enum_value(i); ++i)
        out << format_value_line({ std::move(value->name), value->type, std::move(value->data) });
    for (uint32_t i = 0; auto name = key.enum_subkey(i); ++i) {
        if (auto child = key.open_subkey(*name)) write_key(*child, out);
    }
}

std::string describe(const DumpKey& key) {
    std::u16string full(registry::root_name(key.root));
    if (!key.path.empty()) full += u'\\' + key.path;
    return utf16_to_utf8(full);
}

}  // namespace

registry::Status export_trees(const std::vector<ExportStart>& starts, std::ostream& out) {
    std::vector<Key> keys;
    for (const auto& start : starts) {
        auto key = Key::open(start.root, start.path);
        if (!key) return registry::Status::NotFound;
        keys.push_back(std::move(*key));
    }
    out << format_signature_line();
    for (const auto& key : keys) write_key(key, out);
    return out ? registry::Status::Ok : registry::Status::Failed;
}

bool import_keys(const std::vector<DumpKey>& keys, std::string* failure) {
    for (const auto& dumped : keys) {
        auto created = Key::create(dumped.root, dumped.path);
        if (!created) {
            *failure = "cannot create key " + describe(dumped);
            return false;
        }
        for (const auto& value : dumped.values) {
            if (created->key.set_value(value.name, value.type, value.data) != registry::Status::Ok) {
                *failure = "cannot set value \"" + utf16_to_utf8(value.name) + "\" in " + describe(dumped);
                return false;
            }
        }
    }
    return true;
}

}  // namespace zt::platform::zt_reg
