#pragma once
// A borrowed, cached prepared statement. It is reset and unbound when it goes out of scope,
// so the connection's cache hands it out ready for the next caller.
#include <sqlite3.h>

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zt::platform::registry::detail {

class Statement {
public:
    // damaged, when given, is set once a step reports a damaged or foreign file.
    explicit Statement(sqlite3_stmt* stmt, bool* damaged = nullptr) : m_stmt(stmt), m_damaged(damaged) {}
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    bool valid() const { return m_stmt != nullptr; }
    bool bind_int(int index, int64_t value);
    bool bind_blob(int index, std::span<const uint8_t> bytes);
    // Names are stored as UTF-16LE blobs so unpaired surrogates survive exactly.
    bool bind_units(int index, std::u16string_view units);
    // SQLITE_ROW, SQLITE_DONE or an error code; SQLITE_MISUSE when the statement is invalid.
    int step();

    int64_t column_int(int column) const;
    std::vector<uint8_t> column_blob(int column) const;
    std::u16string column_units(int column) const;

private:
    sqlite3_stmt* m_stmt { nullptr };
    bool* m_damaged { nullptr };
};

}  // namespace zt::platform::registry::detail
