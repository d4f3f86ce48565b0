#include <sqlite3.h>

#include <limits>

#include "platform/base/text.h"
#include "platform/dbvol/database_volume.h"
#include "platform/dbvol/property_codec.h"
#include "platform/dbvol/volume_format.h"
#include "platform/sqlite/statement.h"

namespace zt::platform::dbvol {
namespace {

constexpr size_t kMaxNameUnits = 32;

bool valid_name(std::u16string_view name) {
    if (name.empty() || name.size() > kMaxNameUnits) return false;
    for (char16_t unit : name) {
        if (unit < 0x20 || unit == 0x7F) return false;
    }
    return !starts_with_ignoring_case(name, u"sqlite_");
}

// Each database is a table named like it; the name is quoted, so any text is safe in SQL.
std::string quoted_identifier(std::u16string_view name) {
    std::string utf8 = utf16_to_utf8(name);
    std::string quoted = "\"";
    for (char c : utf8) {
        quoted += c;
        if (c == '"') quoted += '"';
    }
    return quoted + "\"";
}

// The name of the database's table as it was created (names match without regard to case).
std::optional<std::string> stored_table_name(sqlite3* db, std::u16string_view name) {
    auto query = sqlite::Statement::prepare(db, "SELECT name FROM sqlite_master WHERE type = 'table' AND name = ?1 COLLATE NOCASE");
    query.bind_text(1, utf16_to_utf8(name));
    if (query.step() != SQLITE_ROW) return std::nullopt;
    return query.column_text(0);
}

std::optional<RecordId> as_record_id(int64_t id) {
    if (id <= 0 || id > std::numeric_limits<RecordId>::max()) return std::nullopt;
    return static_cast<RecordId>(id);
}

}  // namespace

std::optional<Database> Database::open(Volume& volume, std::u16string_view name) {
    if (!volume.m_db || !valid_name(name)) return std::nullopt;
    if (!stored_table_name(volume.m_db, name)) return std::nullopt;
    return Database(volume.m_db, quoted_identifier(name));
}

std::optional<Database> Database::create_or_open(Volume& volume, std::u16string_view name, RecordId reserved) {
    if (!volume.m_db || !valid_name(name)) return std::nullopt;
    if (stored_table_name(volume.m_db, name)) return Database(volume.m_db, quoted_identifier(name));
    // Made and seeded in one transaction, so no other process can add a record in between.
    if (!sqlite::execute(volume.m_db, "BEGIN IMMEDIATE")) return std::nullopt;
    std::string table = quoted_identifier(name);
    // AUTOINCREMENT: ids are never reused, so a stale id can never name a newer record.
    std::string sql = "CREATE TABLE IF NOT EXISTS " + table +
                      " (id INTEGER PRIMARY KEY AUTOINCREMENT, properties BLOB NOT NULL)";
    bool made = sqlite::execute(volume.m_db, sql.c_str());
    auto stored = made ? stored_table_name(volume.m_db, name) : std::nullopt;
    if (stored && reserved > 0) {
        // AUTOINCREMENT hands out max(stored sequence, largest id) + 1.
        auto seed = sqlite::Statement::prepare(volume.m_db,
                           "INSERT INTO sqlite_sequence(name, seq) SELECT ?1, ?2 WHERE NOT EXISTS "
                           "(SELECT 1 FROM sqlite_sequence WHERE name = ?1)");
        seed.bind_text(1, *stored);
        seed.bind_int(2, reserved);
        if (seed.step() != SQLITE_DONE) stored.reset();
    }
    if (stored && sqlite::execute(volume.m_db, "COMMIT")) return Database(volume.m_db, std::move(table));
    sqlite::execute(volume.m_db, "ROLLBACK");
    return std::nullopt;
}

std::optional<RecordId> Database::seek_after(int64_t position) {
    auto query = sqlite::Statement::prepare(m_db, "SELECT id FROM " + m_table + " WHERE id > ?1 ORDER BY id LIMIT 1");
    query.bind_int(1, position);
    int rc = query.step();
    note(rc);
    if (rc != SQLITE_ROW) return std::nullopt;
    auto id = as_record_id(query.column_int(0));
    if (id) m_position = *id;
    return id;
}

std::optional<RecordId> Database::seek_first() {
    m_position = 0;
    return seek_after(0);
}

std::optional<RecordId> Database::seek_next() { return seek_after(m_position); }

std::optional<std::vector<Property>> Database::read_current() {
    if (m_position == 0) return std::nullopt;
    return read_record(static_cast<RecordId>(m_position));
}

std::optional<std::vector<Property>> Database::read_record(RecordId id) {
    auto query = sqlite::Statement::prepare(m_db, "SELECT properties FROM " + m_table + " WHERE id = ?1");
    query.bind_int(1, id);
    int rc = query.step();
    note(rc);
    if (rc != SQLITE_ROW) return std::nullopt;
    return detail::decode_properties(query.column_blob(0));
}

std::optional<std::u16string> Database::text_property(RecordId id, uint16_t property_id) {
    auto props = read_record(id);
    if (!props) return std::nullopt;
    for (const auto& prop : *props) {
        if (prop.id != property_id) continue;
        if (auto* text = std::get_if<std::u16string>(&prop.value)) return *text;
    }
    return std::nullopt;
}

bool Database::delete_record(RecordId id) {
    auto query = sqlite::Statement::prepare(m_db, "DELETE FROM " + m_table + " WHERE id = ?1");
    query.bind_int(1, id);
    int rc = query.step();
    note(rc);
    return rc == SQLITE_DONE && sqlite3_changes(m_db) == 1;
}

bool Database::delete_record_if_unchanged(RecordId id, const std::vector<Property>& expected) {
    auto bytes = detail::encode_properties(expected);
    if (!bytes) return false;
    auto query = sqlite::Statement::prepare(m_db, "DELETE FROM " + m_table + " WHERE id = ?1 AND properties = ?2");
    query.bind_int(1, id);
    query.bind_blob(2, *bytes);
    return query.step() == SQLITE_DONE && sqlite3_changes(m_db) == 1;
}

std::optional<RecordId> Database::write_record(RecordId id_or_0, const std::vector<Property>& props) {
    auto bytes = detail::encode_properties(props);
    if (!bytes) return std::nullopt;
    if (id_or_0 == 0) {
        auto query = sqlite::Statement::prepare(m_db, "INSERT INTO " + m_table + " (properties) VALUES (?1)");
        query.bind_blob(1, *bytes);
        if (query.step() != SQLITE_DONE) return std::nullopt;
        auto id = as_record_id(sqlite3_last_insert_rowid(m_db));
        // Past 2^32 - 1 ids the record could not be named; take it back rather than lose it later.
        if (!id) {
            auto undo = sqlite::Statement::prepare(m_db, "DELETE FROM " + m_table + " WHERE id = ?1");
            undo.bind_int(1, sqlite3_last_insert_rowid(m_db));
            undo.step();
        }
        return id;
    }
    auto query = sqlite::Statement::prepare(m_db, "UPDATE " + m_table + " SET properties = ?2 WHERE id = ?1");
    query.bind_int(1, id_or_0);
    query.bind_blob(2, *bytes);
    if (query.step() != SQLITE_DONE || sqlite3_changes(m_db) != 1) return std::nullopt;
    return id_or_0;
}

void Database::note(int step_result) {
    if (step_result != SQLITE_ROW && step_result != SQLITE_DONE) m_failed = true;
}

std::optional<uint32_t> Database::record_count() {
    auto query = sqlite::Statement::prepare(m_db, "SELECT count(*) FROM " + m_table);
    if (query.step() != SQLITE_ROW) return std::nullopt;
    return static_cast<uint32_t>(query.column_int(0));
}

}  // namespace zt::platform::dbvol
