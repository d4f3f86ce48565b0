#include "platform/sqlite/statement.h"

#include <climits>

namespace zt::platform::sqlite {

Statement Statement::prepare(sqlite3* db, std::string_view sql) {
    sqlite3_stmt* stmt = nullptr;
    if (!db || sql.size() > INT_MAX) return Statement(nullptr, Life::Owned, nullptr);
    if (sqlite3_prepare_v2(db, sql.data(), static_cast<int>(sql.size()), &stmt, nullptr) != SQLITE_OK) {
        sqlite3_finalize(stmt);
        stmt = nullptr;
    }
    return Statement(stmt, Life::Owned, nullptr);
}

Statement Statement::borrow(sqlite3_stmt* stmt, bool* damaged) { return Statement(stmt, Life::Borrowed, damaged); }

Statement::~Statement() {
    if (!m_stmt) return;
    if (m_life == Life::Owned) {
        sqlite3_finalize(m_stmt);
        return;
    }
    sqlite3_reset(m_stmt);
    sqlite3_clear_bindings(m_stmt);
}

bool Statement::bind_int(int index, int64_t value) {
    return m_stmt && sqlite3_bind_int64(m_stmt, index, value) == SQLITE_OK;
}

bool Statement::bind_blob(int index, std::span<const uint8_t> bytes) {
    if (!m_stmt || bytes.size() > INT_MAX) return false;
    // An empty span may carry a null pointer, which SQLite would store as NULL.
    if (bytes.empty()) return sqlite3_bind_zeroblob(m_stmt, index, 0) == SQLITE_OK;
    return sqlite3_bind_blob(m_stmt, index, bytes.data(), static_cast<int>(bytes.size()), SQLITE_TRANSIENT) ==
           SQLITE_OK;
}

bool Statement::bind_text(int index, std::string_view utf8) {
    if (!m_stmt || utf8.size() > INT_MAX) return false;
    return sqlite3_bind_text(m_stmt, index, utf8.data(), static_cast<int>(utf8.size()), SQLITE_TRANSIENT) ==
           SQLITE_OK;
}

int Statement::step() {
    if (!m_stmt) return SQLITE_MISUSE;
    const int rc = sqlite3_step(m_stmt);
    const int primary = rc & 0xFF;
    if (m_damaged && (primary == SQLITE_CORRUPT || primary == SQLITE_NOTADB)) *m_damaged = true;
    return rc;
}

int64_t Statement::column_int(int column) const { return sqlite3_column_int64(m_stmt, column); }

std::span<const uint8_t> Statement::column_blob(int column) const {
    auto* bytes = static_cast<const uint8_t*>(sqlite3_column_blob(m_stmt, column));
    const int size = sqlite3_column_bytes(m_stmt, column);
    if (!bytes || size <= 0) return {};
    return { bytes, static_cast<size_t>(size) };
}

std::string Statement::column_text(int column) const {
    auto* text = sqlite3_column_text(m_stmt, column);
    return text ? std::string(reinterpret_cast<const char*>(text), static_cast<size_t>(sqlite3_column_bytes(m_stmt, column)))
                : std::string();
}

bool execute(sqlite3* db, const char* sql) { return sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK; }

std::optional<int64_t> pragma_number(sqlite3* db, const char* sql, int* rc) {
    Statement query = Statement::prepare(db, sql);
    const int step = query.step();
    if (rc) *rc = step;
    if (step != SQLITE_ROW) return std::nullopt;
    if (rc) *rc = SQLITE_OK;
    return query.column_int(0);
}

}  // namespace zt::platform::sqlite
