#pragma once
// The registry's operations on stored keys, each one complete transaction. Keys are named by
// their row id; a missing id reads as a deleted key (Status::NotFound).
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/registry/registry.h"

namespace zt::platform::registry::detail {

int64_t root_key_id(Root root);

struct ReachedKey {
    Status status { Status::Failed };
    int64_t id { 0 };
    std::u16string stored_path;  // the components as stored, joined with "\"
    bool newly_created { false };
};

ReachedKey open_key(int64_t start, std::u16string_view path);
ReachedKey create_key(int64_t start, std::u16string_view path);

struct StoredValue {
    Status status { Status::Failed };
    ValueType type { ValueType::None };
    std::vector<uint8_t> data;
};
StoredValue get_value(int64_t key, std::u16string_view name);
Status set_value(int64_t key, std::u16string_view name, ValueType type, std::span<const uint8_t> data);
Status delete_value(int64_t key, std::u16string_view name);

Status delete_key(int64_t start, std::u16string_view path);
Status delete_tree(int64_t start, std::u16string_view path);

std::optional<Key::ValueInfo> value_at(int64_t key, uint32_t index);
std::optional<std::u16string> subkey_at(int64_t key, uint32_t index);
Status flush(int64_t key);

}  // namespace zt::platform::registry::detail
