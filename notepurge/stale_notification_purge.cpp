#include "notepurge/stale_notification_purge.h"

#include <optional>
#include <variant>
#include <vector>

#include "platform/base/text.h"
#include "platform/dbvol/database_volume.h"

namespace zt::notepurge {
namespace {

using zt::platform::dbvol::Database;
using zt::platform::dbvol::Property;
using zt::platform::dbvol::Volume;

bool is_stale(const std::vector<Property>& properties) {
    for (const Property& property : properties) {
        if (property.id != kApplicationProperty) continue;
        const auto* text = std::get_if<std::u16string>(&property.value);
        return text && zt::platform::equal_ignoring_case(*text, kStaleApplication);
    }
    return false;
}

}  // namespace

int purge_stale_notifications() {
    std::optional<Volume> volume = Volume::mount_existing(kNotificationVolume);
    if (!volume) return 0;
    std::optional<Database> database = Database::open(*volume, kNotificationDatabase);
    if (!database) return 0;
    int deleted = 0;
    for (auto id = database->seek_first(); id; id = database->seek_next()) {
        std::optional<std::vector<Property>> properties = database->read_current();
        if (!properties || !is_stale(*properties)) continue;
        if (database->delete_record_if_unchanged(*id, *properties)) ++deleted;
    }
    return deleted;
}

}  // namespace zt::notepurge
