#include "platform/notify/registration_store.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include "platform/base/device_root.h"
#include "platform/base/le_bytes.h"
#include "platform/notify/notification_record.h"

namespace zt::platform::notify {
namespace {

using dbvol::Database;
using dbvol::Volume;

// The volume and database, created on first use. Each call mounts afresh: calls are rare
// and a mount per call keeps every thread and forked child independent.
struct OpenStore {
    Volume volume;
    Database database;
};

std::optional<OpenStore> open_store() {
    auto volume = Volume::mount_always(detail::kVolumeName);
    if (!volume) return std::nullopt;
    auto database = Database::create_or_open(*volume, detail::kDatabaseName);
    if (!database) return std::nullopt;
    return OpenStore { std::move(*volume), std::move(*database) };
}

std::optional<OpenStore> open_existing_store() {
    auto volume = Volume::mount_existing(detail::kVolumeName);
    if (!volume) return std::nullopt;
    auto database = Database::open(*volume, detail::kDatabaseName);
    if (!database) return std::nullopt;
    return OpenStore { std::move(*volume), std::move(*database) };
}

// Bumps the change counter under a lock, so concurrent writers never lose a count and the
// device, which watches the file, always sees a write.
void signal_change() {
    auto root = device_root();
    if (root.empty()) return;
    int fd = ::open((root / kChangeFileName).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) return;
    if (flock(fd, LOCK_EX) == 0) {
        uint8_t bytes[8] {};
        uint64_t count = pread(fd, bytes, sizeof bytes, 0) == sizeof bytes ? read_le64(bytes) : 0;
        write_le64(bytes, count + 1);
        if (pwrite(fd, bytes, sizeof bytes, 0) != sizeof bytes) {
            // Nothing to undo: the device re-reads registrations whenever the file changes.
        }
    }
    ::close(fd);  // the close after writing is what wakes the watcher
}

}  // namespace

uint64_t notification_change_count() {
    auto root = device_root();
    if (root.empty()) return 0;
    int fd = ::open((root / kChangeFileName).c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return 0;
    uint8_t bytes[8] {};
    bool ok = pread(fd, bytes, sizeof bytes, 0) == sizeof bytes;
    ::close(fd);
    return ok ? read_le64(bytes) : 0;
}

std::optional<Handle> set_user_notification(Handle existing, const Trigger& trigger) {
    auto checked = detail::checked_trigger(trigger);
    if (!checked) return std::nullopt;
    auto store = open_store();
    if (!store) return std::nullopt;
    auto handle = store->database.write_record(existing, detail::to_properties(*checked));
    if (handle) signal_change();
    return handle;
}

bool clear_user_notification(Handle handle) {
    if (handle == 0) return false;
    auto store = open_existing_store();
    if (!store || !store->database.delete_record(handle)) return false;
    signal_change();
    return true;
}

std::vector<Registration> list_user_notifications() {
    std::vector<Registration> registrations;
    auto store = open_existing_store();
    if (!store) return registrations;
    auto& db = store->database;
    for (auto id = db.seek_first(); id; id = db.seek_next()) {
        auto props = db.read_current();
        if (!props) continue;
        if (auto trigger = detail::from_properties(*props)) registrations.push_back({ *id, std::move(*trigger) });
    }
    return registrations;
}

std::optional<Registration> find_user_notification(Handle handle) {
    if (handle == 0) return std::nullopt;
    auto store = open_existing_store();
    if (!store) return std::nullopt;
    auto props = store->database.read_record(handle);
    if (!props) return std::nullopt;
    auto trigger = detail::from_properties(*props);
    if (!trigger) return std::nullopt;
    return Registration { handle, std::move(*trigger) };
}

bool remove_fired_notification(const Registration& fired) {
    auto store = open_existing_store();
    if (!store) return false;
    bool removed = store->database.delete_record_if_unchanged(fired.handle, detail::to_properties(fired.trigger));
    if (removed) signal_change();
    return removed;
}

}  // namespace zt::platform::notify
