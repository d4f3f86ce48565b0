#include "platform/dbvol/sqlite_query.h"

#include <climits>

namespace zt::platform::dbvol::detail {

Query::Query(sqlite3* db, std::string_view sql) {
    if (!db || sql.size() > INT_MAX) return;
    if (sqlite3_prepare_v2(db, sql.data(), static_cast<int>(sql.size()), &m_stmt, nullptr) != SQLITE_OK) {
        sqlite3_finalize(m_stmt);
        m_stmt = nullptr;
    }
}

Query::~Query() { sqlite3_finalize(m_stmt); }

bool Query::bind_int(int index, int64_t value) {
    return m_stmt && sqlite3_bind_int64(m_stmt, index, value) == SQLITE_OK;
}

bool Query::bind_blob(int index, std::span<const uint8_t> bytes) {
    if (!m_stmt || bytes.size() > INT_MAX) return false;
    // An empty span may carry a null pointer, which SQLite would store as NULL.
    if (bytes.empty()) return sqlite3_bind_zeroblob(m_stmt, index, 0) == SQLITE_OK;
    return sqlite3_bind_blob(m_stmt, index, bytes.data(), static_cast<int>(bytes.size()), SQLITE_TRANSIENT) ==
           SQLITE_OK;
}

bool Query::bind_text(int index, std::string_view utf8) {
    if (!m_stmt || utf8.size() > INT_MAX) return false;
    return sqlite3_bind_text(m_stmt, index, utf8.data(), static_cast<int>(utf8.size()), SQLITE_TRANSIENT) ==
           SQLITE_OK;
}

int Query::step() { return m_stmt ? sqlite3_step(m_stmt) : SQLITE_MISUSE; }

int64_t Query::column_int(int column) const { return sqlite3_column_int64(m_stmt, column); }

std::span<const uint8_t> Query::column_blob(int column) const {
    auto* bytes = static_cast<const uint8_t*>(sqlite3_column_blob(m_stmt, column));
    int size = sqlite3_column_bytes(m_stmt, column);
    if (!bytes || size <= 0) return {};
    return { bytes, static_cast<size_t>(size) };
}

std::string Query::column_text(int column) const {
    auto* text = sqlite3_column_text(m_stmt, column);
    return text ? std::string(reinterpret_cast<const char*>(text), static_cast<size_t>(sqlite3_column_bytes(m_stmt, column)))
                : std::string();
}

bool execute(sqlite3* db, const char* sql) {
    return sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}

std::optional<int64_t> pragma_number(sqlite3* db, const char* sql, int* rc) {
    Query query(db, sql);
    int step = query.step();
    if (rc) *rc = step;
    if (step != SQLITE_ROW) return std::nullopt;
    if (rc) *rc = SQLITE_OK;
    return query.column_int(0);
}

}  // namespace zt::platform::dbvol::detail
