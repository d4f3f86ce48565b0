#include "platform/dbvol/volume_check.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>

#include "platform/base/device_path.h"
#include "platform/base/state_files.h"
#include "platform/dbvol/volume_format.h"
#include "platform/sqlite/statement.h"

namespace zt::platform::dbvol {
namespace {

bool means_damage(int rc) {
    int primary = rc & 0xFF;
    return primary == SQLITE_NOTADB || primary == SQLITE_CORRUPT;
}

VolumeDiagnosis verdict_of_error(int rc, const char* what) {
    if (means_damage(rc)) return { VolumeCondition::Damaged, what };
    return { VolumeCondition::Unreadable, sqlite3_errstr(rc) };
}

// The first row of "PRAGMA quick_check": "ok" for a sound file.
std::string quick_check(sqlite3* db, int* rc) {
    auto query = sqlite::Statement::prepare(db, "PRAGMA quick_check(1)");
    *rc = query.step();
    if (*rc != SQLITE_ROW) return {};
    *rc = SQLITE_OK;
    return query.column_text(0);
}

VolumeDiagnosis inspect(sqlite3* db) {
    int rc = SQLITE_OK;
    auto id = sqlite::pragma_number(db, "PRAGMA application_id", &rc);
    if (!id) return verdict_of_error(rc, "not an SQLite database");
    auto objects = sqlite::pragma_number(db, "SELECT count(*) FROM sqlite_master", &rc);
    if (!objects) return verdict_of_error(rc, "damaged database");
    if (*id != detail::kVolumeApplicationId) {
        if (*id == 0 && *objects == 0) return { VolumeCondition::Sound, {} };
        return { VolumeCondition::Damaged, "a database of another kind" };
    }
    std::string check = quick_check(db, &rc);
    if (rc != SQLITE_OK) return verdict_of_error(rc, "damaged volume");
    if (check == "ok") return { VolumeCondition::Sound, {} };
    for (char& c : check)
        if (c == '\n') c = ' ';
    if (check.size() > 160) check = check.substr(0, 160) + "...";
    return { VolumeCondition::Damaged, "damaged volume: " + check };
}

}  // namespace

VolumeDiagnosis diagnose_volume(std::u16string_view name) {
    auto path = name.empty() ? std::nullopt : map_device_path(name);
    if (!path) return { VolumeCondition::Unreadable, "not a file of the device" };
    struct stat info {};
    if (::lstat(path->c_str(), &info) != 0) {
        if (errno == ENOENT) return { VolumeCondition::Missing, {} };
        return { VolumeCondition::Unreadable, std::strerror(errno) };
    }
    if (!S_ISREG(info.st_mode)) return { VolumeCondition::Damaged, "not a regular file" };
    if (has_foreign_sqlite_header(*path)) return { VolumeCondition::Damaged, "not an SQLite database" };
    if (info.st_size == 0) return { VolumeCondition::Sound, {} };

    sqlite3* db = nullptr;
    int rc = sqlite3_open_v2(path->c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_FULLMUTEX, nullptr);
    VolumeDiagnosis diagnosis;
    if (rc != SQLITE_OK) {
        diagnosis = verdict_of_error(rc, "not an SQLite database");
    } else {
        sqlite3_busy_timeout(db, detail::kBusyTimeoutMs);
        diagnosis = inspect(db);
    }
    sqlite3_close(db);
    return diagnosis;
}

}  // namespace zt::platform::dbvol
