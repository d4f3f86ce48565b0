#include "platform/notify/registration_store.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <limits>

#include "platform/base/device_path.h"
#include "platform/base/device_root.h"
#include "platform/base/le_bytes.h"
#include "platform/base/text.h"
#include "platform/dbvol/volume_check.h"
#include "platform/notify/notification_record.h"

namespace zt::platform::notify {
namespace {

using dbvol::Database;
using dbvol::Volume;
using dbvol::VolumeCondition;

std::u16string volume_name() { return to_u16(kNotifyVolumeFileName); }

// The volume and database, created on first use. Each call mounts afresh: calls are rare
// and a mount per call keeps every thread and forked child independent.
struct OpenStore {
    Volume volume;
    Database database;
};

// Every new registration bumps the change count first made with the root, so no handle the
// device ever gave out is above it: a database made afresh (first use, a volume someone
// deleted, one moved aside) starts its handles after it. A damaged counter must not use up
// the handles, hence the cap.
dbvol::RecordId first_free_handle_floor() {
    return static_cast<dbvol::RecordId>(
        std::min<uint64_t>(notification_change_count(), std::numeric_limits<dbvol::RecordId>::max() / 2));
}

std::optional<OpenStore> open_store() {
    auto volume = Volume::mount_always(volume_name());
    if (!volume) return std::nullopt;
    auto database = Database::create_or_open(*volume, detail::kDatabaseName, first_free_handle_floor());
    if (!database) return std::nullopt;
    return OpenStore { std::move(*volume), std::move(*database) };
}

std::optional<OpenStore> open_existing_store() {
    auto volume = Volume::mount_existing(volume_name());
    if (!volume) return std::nullopt;
    auto database = Database::open(*volume, detail::kDatabaseName);
    if (!database) return std::nullopt;
    return OpenStore { std::move(*volume), std::move(*database) };
}

// Moves a damaged volume aside so that the next mount makes a fresh one. Under the lock, and
// judged again there, so that of two processes finding the same damage only one moves it:
// the other would move the fresh volume, with registrations made meanwhile. True when it
// moved the file.
bool move_damaged_volume_aside() {
    auto root = device_root();
    auto file = map_device_path(volume_name());
    if (root.empty() || !file) return false;
    if (dbvol::diagnose_volume(volume_name()).condition != VolumeCondition::Damaged) return false;
    StateFileLock lock(root / kNotifyLockName);
    if (!lock.held()) return false;
    auto diagnosis = dbvol::diagnose_volume(volume_name());
    if (diagnosis.condition != VolumeCondition::Damaged) return false;
    auto aside = move_aside(*file);
    if (!aside) {
        std::fprintf(stderr, "zt notify: %s is not a notification volume (%s) and cannot be moved aside: %s\n",
                     file->c_str(), diagnosis.reason.c_str(), std::strerror(errno));
        return false;
    }
    std::fprintf(stderr,
                 "zt notify: %s is not a notification volume (%s); moved it to %s, registrations start afresh\n",
                 file->c_str(), diagnosis.reason.c_str(), aside->c_str());
    return true;
}

// Bumps the change counter under a lock, so concurrent writers never lose a count and the
// device, which watches the file, always sees a write.
void signal_change() {
    auto root = device_root();
    if (root.empty()) return;
    int fd = ::open((root / kChangeFileName).c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
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
    int fd = ::open((root / kChangeFileName).c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0) return 0;
    uint8_t bytes[8] {};
    bool ok = pread(fd, bytes, sizeof bytes, 0) == sizeof bytes;
    ::close(fd);
    return ok ? read_le64(bytes) : 0;
}

std::optional<Handle> set_user_notification(Handle existing, const Trigger& trigger) {
    auto checked = detail::checked_trigger(trigger);
    if (!checked) return std::nullopt;
    const auto properties = detail::to_properties(*checked);
    auto write = [&]() -> std::optional<Handle> {
        auto store = open_store();
        if (!store) return std::nullopt;
        return store->database.write_record(existing, properties);
    };
    auto handle = write();
    // A handle of the lost volume names nothing in the new one, and stays refused.
    if (!handle && move_damaged_volume_aside()) handle = write();
    if (handle) signal_change();
    return handle;
}

bool clear_user_notification(Handle handle) {
    if (handle == 0) return false;
    auto store = open_existing_store();
    if (!store || !store->database.delete_record(handle)) {
        // A handle that names nothing is common (a registration that fired); only a volume that
        // could not be read is looked at. What it named is lost with a damaged volume.
        if (!store || store->database.failed()) move_damaged_volume_aside();
        return false;
    }
    signal_change();
    return true;
}

std::optional<std::vector<Registration>> read_user_notifications(std::string* problem) {
    std::vector<Registration> registrations;
    auto store = open_existing_store();
    if (store) {
        auto& db = store->database;
        for (auto id = db.seek_first(); id; id = db.seek_next()) {
            auto props = db.read_current();
            if (!props) continue;
            if (auto trigger = detail::from_properties(*props)) registrations.push_back({ *id, std::move(*trigger) });
        }
        if (!db.failed()) return registrations;
    }
    auto diagnosis = dbvol::diagnose_volume(volume_name());
    // Not mounted but sound: an empty file, or a volume without the database yet.
    if (diagnosis.condition == VolumeCondition::Missing) return std::vector<Registration> {};
    if (diagnosis.condition == VolumeCondition::Sound && !store) return std::vector<Registration> {};
    if (problem) {
        auto file = map_device_path(volume_name());
        std::string reason = diagnosis.condition == VolumeCondition::Sound ? "reading it failed" : diagnosis.reason;
        *problem = (file ? file->string() : utf16_to_utf8(volume_name())) + ": " + reason;
    }
    return std::nullopt;
}

std::vector<Registration> list_user_notifications() { return read_user_notifications().value_or(std::vector<Registration> {}); }

VolumeReport prepare_notification_volume() {
    auto diagnosis = dbvol::diagnose_volume(volume_name());
    switch (diagnosis.condition) {
    case VolumeCondition::Missing: return { VolumeState::Missing, {} };
    case VolumeCondition::Sound: return { VolumeState::Ready, {} };
    case VolumeCondition::Unreadable: return { VolumeState::Unreadable, diagnosis.reason };
    case VolumeCondition::Damaged: break;
    }
    if (!move_damaged_volume_aside()) {
        // Judged again under the lock: another process may have repaired it meanwhile.
        auto again = dbvol::diagnose_volume(volume_name());
        if (again.condition == VolumeCondition::Sound) return { VolumeState::Ready, {} };
        return { VolumeState::Unreadable, diagnosis.reason };
    }
    if (!open_store()) return { VolumeState::Unreadable, "a new volume cannot be made" };
    signal_change();
    return { VolumeState::Repaired, {} };
}

std::optional<std::pair<uint64_t, uint64_t>> notification_volume_identity() {
    auto file = map_device_path(volume_name());
    struct stat info {};
    if (!file || ::stat(file->c_str(), &info) != 0) return std::nullopt;
    return std::pair<uint64_t, uint64_t> { info.st_dev, info.st_ino };
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
