#include "core/record_storage.h"

#include "core/number_text.h"
#include "core/product_keys.h"
#include "core/property_list.h"
#include "core/registry_key.h"
#include "core/store_lock.h"

namespace zt::core {

const char16_t* records_key_path(ItemType type) {
    return type == ItemType::Alarm ? kAlarmsKeyPath : kTimersKeyPath;
}

RecordRead read_record(ItemType type, int32_t id) {
    RecordRead result;
    CRegistryKey key(RegistryRoot::CurrentUser, records_key_path(type), false, false);
    auto text = key.read_record_text(format_signed(id));
    if (text.status == CRegistryKey::TextStatus::Missing) {
        result.failure = LoadFailure::Missing;
    } else if (text.status == CRegistryKey::TextStatus::Unreadable) {
        result.failure = LoadFailure::Unreadable;
    } else if (auto map = text.status == CRegistryKey::TextStatus::Ok ? parse_property_list(text.text) : std::nullopt) {
        result.map = std::move(*map);
    } else {
        result.failure = LoadFailure::Invalid;
    }
    return result;
}

void write_record(ItemType type, int32_t id, const CValueMap& map) {
    // Without the mutex the value is still written whole (each registry write is atomic); a
    // save that cannot lock keeps the user's change rather than dropping it.
    CStoreLock lock;
    CRegistryKey key(RegistryRoot::CurrentUser, records_key_path(type), true, true);
    key.write_string(format_signed(id), join_property_list(map));
}

}  // namespace zt::core
