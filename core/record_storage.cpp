#include "core/record_storage.h"

#include <new>

#include "contracts/registry_keys.h"
#include "core/number_text.h"
#include "core/property_list.h"
#include "core/registry_key.h"
#include "core/store_lock.h"

namespace zt::core {

const char16_t* records_key_path(ItemType type) {
    return type == ItemType::Alarm ? contracts::kAlarmsKeyPath : contracts::kTimersKeyPath;
}

RecordRead read_record(ItemType type, int32_t id) {
    RecordRead result;
    CRegistryKey::TextRead text;
    try {
        CRegistryKey key(RegistryRoot::CurrentUser, records_key_path(type), false, false);
        text = key.read_record_text(format_signed(id));
    } catch (const std::bad_alloc&) {
        result.failure = LoadFailure::NoMemory;
        return result;
    }
    switch (text.status) {
    case CRegistryKey::TextStatus::Missing: result.failure = LoadFailure::Missing; break;
    case CRegistryKey::TextStatus::Unreadable: result.failure = LoadFailure::Unreadable; break;
    case CRegistryKey::TextStatus::WrongType: result.failure = LoadFailure::Invalid; break;
    case CRegistryKey::TextStatus::Ok: {
        PropertyListRead list = read_property_list(text.text);
        if (list.status == PropertyListStatus::Ok)
            result.map = std::move(list.map);
        else
            result.failure = list.status == PropertyListStatus::OutOfMemory ? LoadFailure::NoMemory : LoadFailure::Invalid;
        break;
    }
    }
    return result;
}

bool write_record(ItemType type, int32_t id, const CValueMap& map) {
    // Without the mutex the value is still written whole (each registry write is atomic); a
    // save that cannot lock keeps the user's change rather than dropping it.
    CStoreLock lock;
    CRegistryKey key(RegistryRoot::CurrentUser, records_key_path(type), true, true);
    return key.write_string(format_signed(id), join_property_list(map));
}

std::vector<std::u16string> record_value_names(ItemType type) {
    std::vector<std::u16string> names;
    CRegistryKey key(RegistryRoot::CurrentUser, records_key_path(type), false, false);
    for (uint32_t index = 0;; ++index) {
        auto name = key.value_name(index);
        if (!name) break;
        names.push_back(std::move(*name));
    }
    return names;
}

}  // namespace zt::core
