#pragma once
// One prepared SQLite statement of the device's database files (the registry, the database
// volumes), in either of two lives:
//  - prepared for one call and finalized when it goes (Statement::prepare);
//  - borrowed from a connection's cache and reset and unbound when it goes, so the cache hands
//    it out ready for the next caller (Statement::borrow).
// An invalid statement (SQL that did not prepare) binds nothing and steps to SQLITE_MISUSE.
#include <sqlite3.h>

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace zt::platform::sqlite {

class Statement {
public:
    static Statement prepare(sqlite3* db, std::string_view sql);
    // damaged, when given, is set once a step reports a damaged or foreign file.
    static Statement borrow(sqlite3_stmt* stmt, bool* damaged = nullptr);

    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    bool valid() const { return m_stmt != nullptr; }
    bool bind_int(int index, int64_t value);
    bool bind_blob(int index, std::span<const uint8_t> bytes);
    bool bind_text(int index, std::string_view utf8);
    // SQLITE_ROW, SQLITE_DONE or an error code.
    int step();

    int64_t column_int(int column) const;
    std::span<const uint8_t> column_blob(int column) const;  // valid until the next step
    std::string column_text(int column) const;

private:
    enum class Life { Owned, Borrowed };
    Statement(sqlite3_stmt* stmt, Life life, bool* damaged) : m_stmt(stmt), m_life(life), m_damaged(damaged) {}

    sqlite3_stmt* m_stmt { nullptr };
    Life m_life { Life::Owned };
    bool* m_damaged { nullptr };
};

// Runs statements without results; false on any error.
bool execute(sqlite3* db, const char* sql);
// One number from a single-row query; nullopt on error (the SQLite result code in *rc).
std::optional<int64_t> pragma_number(sqlite3* db, const char* sql, int* rc = nullptr);

}  // namespace zt::platform::sqlite
