#include "platform/registry/sqlite_statement.h"

#include "platform/registry/value_codec.h"

namespace zt::platform::registry::detail {

Statement::~Statement() {
    if (!m_stmt) return;
    sqlite3_reset(m_stmt);
    sqlite3_clear_bindings(m_stmt);
}

bool Statement::bind_int(int index, int64_t value) {
    return m_stmt && sqlite3_bind_int64(m_stmt, index, value) == SQLITE_OK;
}

bool Statement::bind_blob(int index, std::span<const uint8_t> bytes) {
    if (!m_stmt) return false;
    // An empty span may carry a null pointer, which SQLite would store as NULL.
    if (bytes.empty()) return sqlite3_bind_zeroblob(m_stmt, index, 0) == SQLITE_OK;
    if (bytes.size() > static_cast<size_t>(INT32_MAX)) return false;
    return sqlite3_bind_blob(m_stmt, index, bytes.data(), static_cast<int>(bytes.size()),
                             SQLITE_TRANSIENT) == SQLITE_OK;
}

bool Statement::bind_units(int index, std::u16string_view units) {
    return bind_blob(index, units_to_bytes(units));
}

int Statement::step() {
    if (!m_stmt) return SQLITE_MISUSE;
    int rc = sqlite3_step(m_stmt);
    int primary = rc & 0xFF;
    if (m_damaged && (primary == SQLITE_CORRUPT || primary == SQLITE_NOTADB)) *m_damaged = true;
    return rc;
}

int64_t Statement::column_int(int column) const { return sqlite3_column_int64(m_stmt, column); }

std::vector<uint8_t> Statement::column_blob(int column) const {
    auto* bytes = static_cast<const uint8_t*>(sqlite3_column_blob(m_stmt, column));
    int size = sqlite3_column_bytes(m_stmt, column);
    if (!bytes || size <= 0) return {};
    return std::vector<uint8_t>(bytes, bytes + size);
}

std::u16string Statement::column_units(int column) const {
    return bytes_to_units(column_blob(column));
}

}  // namespace zt::platform::registry::detail
