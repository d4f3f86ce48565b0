#include "platform/registry/registry_file.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>

namespace zt::platform::registry::detail {
namespace fs = std::filesystem;
namespace {

// "ZTRG" in the file header tells a registry from any other SQLite database.
constexpr int64_t kApplicationId = 0x5A545247;
constexpr int64_t kFormatVersion = 1;
constexpr int kBusyTimeoutMs = 10000;

constexpr const char* kCreateSchema = R"sql(
CREATE TABLE keys(
    id INTEGER PRIMARY KEY AUTOINCREMENT,  -- never reused, so a stale handle cannot hit a new key
    parent INTEGER REFERENCES keys(id),
    name BLOB NOT NULL,                    -- UTF-16LE as first created
    folded BLOB NOT NULL);                 -- UTF-16LE case-folded, for lookups
CREATE UNIQUE INDEX keys_by_name ON keys(parent, folded);
CREATE INDEX keys_in_order ON keys(parent, id);
CREATE TABLE vals(
    id INTEGER PRIMARY KEY,                -- creation order; an overwrite keeps the row
    key INTEGER NOT NULL REFERENCES keys(id),
    name BLOB NOT NULL,
    folded BLOB NOT NULL,
    type INTEGER NOT NULL,
    data BLOB NOT NULL);
CREATE UNIQUE INDEX vals_by_name ON vals(key, folded);
CREATE INDEX vals_in_order ON vals(key, id);
INSERT INTO keys(id, parent, name, folded) VALUES (1, NULL, x'', x''), (2, NULL, x'', x'');
PRAGMA application_id = 1515475527;
PRAGMA user_version = 1;
)sql";
static_assert(kApplicationId == 1515475527, "schema text and constant must agree");

enum class Verdict { Registry, Empty, Foreign, Newer, Unusable };
struct Inspection {
    Verdict verdict { Verdict::Unusable };
    std::string reason;
};

bool is_not_a_database(int rc) {
    int primary = rc & 0xFF;
    return primary == SQLITE_NOTADB || primary == SQLITE_CORRUPT;
}

// One integer from a single-row query; the SQLite result code on failure.
std::optional<int64_t> query_integer(sqlite3* db, const char* sql, int* rc_out) {
    sqlite3_stmt* stmt = nullptr;
    int rc = sqlite3_prepare_v2(db, sql, -1, &stmt, nullptr);
    std::optional<int64_t> result;
    if (rc == SQLITE_OK) {
        rc = sqlite3_step(stmt);
        if (rc == SQLITE_ROW) {
            result = sqlite3_column_int64(stmt, 0);
            rc = SQLITE_OK;
        }
    }
    sqlite3_finalize(stmt);
    *rc_out = rc;
    return result;
}

// The first column of the first row as text ("" when there is none).
std::string query_text(sqlite3* db, const char* sql, int* rc_out) {
    sqlite3_stmt* stmt = nullptr;
    int rc = sqlite3_prepare_v2(db, sql, -1, &stmt, nullptr);
    std::string result;
    if (rc == SQLITE_OK) {
        rc = sqlite3_step(stmt);
        if (rc == SQLITE_ROW) {
            if (auto* text = sqlite3_column_text(stmt, 0)) result = reinterpret_cast<const char*>(text);
            rc = SQLITE_OK;
        }
    }
    sqlite3_finalize(stmt);
    *rc_out = rc;
    return result;
}

Inspection inspect(sqlite3* db) {
    int rc = SQLITE_OK;
    auto app_id = query_integer(db, "PRAGMA application_id", &rc);
    if (!app_id) {
        if (is_not_a_database(rc)) return { Verdict::Foreign, "not an SQLite database" };
        return { Verdict::Unusable, sqlite3_errstr(rc) };
    }
    auto tables = query_integer(db, "SELECT count(*) FROM sqlite_master", &rc);
    auto version = query_integer(db, "PRAGMA user_version", &rc);
    if (!tables || !version) {
        if (is_not_a_database(rc)) return { Verdict::Foreign, "damaged database" };
        return { Verdict::Unusable, sqlite3_errstr(rc) };
    }
    if (*app_id == 0 && *tables == 0 && *version == 0) return { Verdict::Empty, {} };
    if (*app_id != kApplicationId) return { Verdict::Foreign, "a database of another kind" };
    if (*version > kFormatVersion) return { Verdict::Newer, "written by a newer registry format" };
    auto ours = query_integer(db,
        "SELECT (SELECT count(*) FROM sqlite_master WHERE type = 'table' AND name IN ('keys', 'vals'))"
        " + (SELECT count(*) FROM keys WHERE id IN (1, 2) AND parent IS NULL)"
        // These two count nothing; they fail to prepare unless every column is there.
        " + (SELECT count(*) FROM keys WHERE name IS NULL AND folded IS NULL)"
        " + (SELECT count(*) FROM vals WHERE id IS NULL AND key IS NULL AND name IS NULL"
        "    AND folded IS NULL AND type IS NULL AND data IS NULL)", &rc);
    if (!ours || *ours != 4 || *version != kFormatVersion) {
        if (rc != SQLITE_OK && !is_not_a_database(rc) && (rc & 0xFF) != SQLITE_ERROR)
            return { Verdict::Unusable, sqlite3_errstr(rc) };
        return { Verdict::Foreign, "registry tables missing or damaged" };
    }
    // Reads every page once; a registry is small and this runs once per process.
    std::string check = query_text(db, "PRAGMA quick_check", &rc);
    if (rc != SQLITE_OK && !is_not_a_database(rc)) return { Verdict::Unusable, sqlite3_errstr(rc) };
    if (check != "ok") {
        std::string detail = check.empty() ? sqlite3_errstr(rc) : check;
        for (char& c : detail)
            if (c == '\n') c = ' ';
        if (detail.size() > 160) detail = detail.substr(0, 160) + "...";
        return { Verdict::Foreign, "damaged registry: " + detail };
    }
    return { Verdict::Registry, {} };
}

bool exec(sqlite3* db, const char* sql) {
    return sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}

bool create_schema(sqlite3* db) {
    if (!exec(db, "BEGIN IMMEDIATE")) return false;
    if (exec(db, kCreateSchema) && exec(db, "COMMIT")) return true;
    exec(db, "ROLLBACK");
    return false;
}

// WAL lets readers run beside a writer. NORMAL keeps every commit through a killed process
// (the log is in the page cache) without an fsync per write; surviving power loss is what the
// platform's flush is for, and flush checkpoints, which syncs the registry file.
void configure(sqlite3* db) {
    exec(db, "PRAGMA journal_mode=WAL");
    exec(db, "PRAGMA synchronous=NORMAL");
}

sqlite3* open_connection(const fs::path& file) {
    // SQLite would make the file 0644 (and its log and index like it); made first, it stays
    // private whatever the root folder allows.
    create_private_file(file);
    sqlite3* db = nullptr;
    int rc = sqlite3_open_v2(file.c_str(), &db,
                             SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc != SQLITE_OK) {
        std::fprintf(stderr, "zt registry: cannot open %s: %s\n", file.c_str(), sqlite3_errstr(rc));
        sqlite3_close(db);
        return nullptr;
    }
    sqlite3_busy_timeout(db, kBusyTimeoutMs);
    return db;
}

}  // namespace

sqlite3* open_registry(const fs::path& root) {
    const fs::path file = root / kRegistryFileName;
    StateFileLock lock(root / kRegistryLockName);
    if (!lock.held()) {
        std::fprintf(stderr, "zt registry: cannot lock %s: %s\n",
                     (root / kRegistryLockName).c_str(), std::strerror(errno));
        return nullptr;
    }
    // Two rounds at most: the second one starts from a moved-aside, empty place.
    for (int round = 0; round < 2; ++round) {
        sqlite3* db = open_connection(file);
        if (!db) return nullptr;
        Inspection found = has_foreign_sqlite_header(file)
                               ? Inspection { Verdict::Foreign, "not an SQLite database" }
                               : inspect(db);
        switch (found.verdict) {
        case Verdict::Registry:
            configure(db);
            return db;
        case Verdict::Empty:
            configure(db);
            if (create_schema(db)) return db;
            std::fprintf(stderr, "zt registry: cannot create %s: %s\n", file.c_str(), sqlite3_errmsg(db));
            sqlite3_close(db);
            return nullptr;
        case Verdict::Newer:
        case Verdict::Unusable:
            std::fprintf(stderr, "zt registry: cannot use %s: %s\n", file.c_str(), found.reason.c_str());
            sqlite3_close(db);
            return nullptr;
        case Verdict::Foreign: {
            sqlite3_close(db);
            auto aside = move_aside(file);
            if (!aside) {
                std::fprintf(stderr, "zt registry: %s is not a registry (%s) and cannot be moved aside: %s\n",
                             file.c_str(), found.reason.c_str(), std::strerror(errno));
                return nullptr;
            }
            std::fprintf(stderr,
                         "zt registry: %s is not a registry (%s); moved it to %s and starting with empty hives\n",
                         file.c_str(), found.reason.c_str(), aside->c_str());
            break;
        }
        }
    }
    return nullptr;
}

}  // namespace zt::platform::registry::detail
