#include "platform/hosts/zt_reg/registry_dump.h"

#include "platform/base/text.h"

namespace zt::platform::zt_reg {
namespace {
using registry::Key;

void write_values(const Key& key, std::ostream& out) {
    out << format_key_line(key.root(), key.name());
    for (uint32_t i = 0; auto value = key.enum_value(i); ++i)
        out << format_value_line({ std::move(value->name), value->type, std::move(value->data) });
}

// Parents first, in creation order. The keys on the way down wait on a list of their own, not
// on the call stack, so no depth of keys can exhaust the stack.
void write_tree(Key start, std::ostream& out) {
    struct Level {
        Key key;
        uint32_t next_subkey { 0 };
    };
    std::vector<Level> path;
    write_values(start, out);
    path.push_back({ std::move(start) });
    while (!path.empty() && out) {
        Level& level = path.back();
        auto name = level.key.enum_subkey(level.next_subkey++);
        if (!name) {
            path.pop_back();
            continue;
        }
        if (auto child = level.key.open_subkey(*name)) {
            write_values(*child, out);
            path.push_back({ std::move(*child) });
        }
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
    for (auto& key : keys) write_tree(std::move(key), out);
    return out ? registry::Status::Ok : registry::Status::Failed;
}

bool import_keys(const std::vector<DumpKey>& keys, std::string* failure) {
    auto batch = registry::WriteBatch::begin();
    if (!batch) {
        *failure = "the registry cannot be written";
        return false;
    }
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
    if (!batch->commit()) {
        *failure = "the registry could not store the import";
        return false;
    }
    return true;
}

}  // namespace zt::platform::zt_reg
