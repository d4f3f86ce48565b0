#include "platform/dbvol/database_volume.h"

#include <sqlite3.h>
#include <sys/stat.h>

#include <utility>

#include "platform/base/device_path.h"
#include "platform/base/state_files.h"
#include "platform/dbvol/volume_format.h"
#include "platform/sqlite/statement.h"

namespace zt::platform::dbvol {
namespace {

using detail::kBusyTimeoutMs;
using detail::kVolumeApplicationId;
using sqlite::pragma_number;

// A fresh (empty) file becomes a volume; a volume is accepted; anything else is refused.
// The check and the marking happen in one write transaction, so two processes mounting a
// new file at once agree.
bool claim_or_check(sqlite3* db) {
    auto id = pragma_number(db, "PRAGMA application_id");
    if (!id) return false;  // not a database at all, or damaged
    if (*id == kVolumeApplicationId) return true;
    if (*id != 0) return false;
    if (!sqlite::execute(db, "BEGIN IMMEDIATE")) return false;
    auto objects = pragma_number(db, "SELECT count(*) FROM sqlite_master");
    auto again = pragma_number(db, "PRAGMA application_id");
    bool fresh = objects && *objects == 0 && again && *again == 0;
    bool ours = again && *again == kVolumeApplicationId;
    if (fresh) {
        std::string sql = "PRAGMA application_id = " + std::to_string(kVolumeApplicationId);
        fresh = sqlite::execute(db, sql.c_str());
    }
    if ((fresh || ours) && sqlite::execute(db, "COMMIT")) return true;
    sqlite::execute(db, "ROLLBACK");
    return false;
}

}  // namespace

std::optional<Volume> Volume::mount(std::u16string_view name, bool create) {
    if (name.empty()) return std::nullopt;
    auto path = map_device_path(name);
    if (!path) return std::nullopt;
    struct stat info {};
    bool exists = ::stat(path->c_str(), &info) == 0;
    if (exists && !S_ISREG(info.st_mode)) return std::nullopt;
    if (!exists && !create) return std::nullopt;
    if (exists && has_foreign_sqlite_header(*path)) return std::nullopt;
    // SQLite would make a new file 0644 and its log and index like it.
    if (!exists && !create_private_file(*path)) return std::nullopt;

    int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_FULLMUTEX | (create ? SQLITE_OPEN_CREATE : 0);
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(path->c_str(), &db, flags, nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        return std::nullopt;
    }
    sqlite3_busy_timeout(db, kBusyTimeoutMs);
    if (!claim_or_check(db)) {
        sqlite3_close(db);
        return std::nullopt;
    }
    // Readers (clean-up tools, the device) never block the writer and a killed writer loses
    // only its own unfinished transaction.
    sqlite::execute(db, "PRAGMA journal_mode = WAL");
    sqlite::execute(db, "PRAGMA synchronous = NORMAL");
    return Volume(db);
}

std::optional<Volume> Volume::mount_existing(std::u16string_view name) { return mount(name, false); }
std::optional<Volume> Volume::mount_always(std::u16string_view name) { return mount(name, true); }

Volume::Volume(Volume&& other) noexcept : m_db(std::exchange(other.m_db, nullptr)) {}

Volume& Volume::operator=(Volume&& other) noexcept {
    if (this != &other) {
        sqlite3_close(m_db);
        m_db = std::exchange(other.m_db, nullptr);
    }
    return *this;
}

Volume::~Volume() { sqlite3_close(m_db); }

}  // namespace zt::platform::dbvol
