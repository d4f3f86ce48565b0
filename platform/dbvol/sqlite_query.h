#pragma once
// One prepared statement of a volume's connection, finalized when it goes out of scope.
// Volumes run few statements per call, so nothing is cached.
#include <sqlite3.h>

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace zt::platform::dbvol::detail {

class Query {
public:
    Query(sqlite3* db, std::string_view sql);
    ~Query();
    Query(const Query&) = delete;
    Query& operator=(const Query&) = delete;

    bool valid() const { return m_stmt != nullptr; }
    bool bind_int(int index, int64_t value);
    bool bind_blob(int index, std::span<const uint8_t> bytes);
    bool bind_text(int index, std::string_view utf8);
    // SQLITE_ROW, SQLITE_DONE or an error; SQLITE_MISUSE when the statement did not prepare.
    int step();
    int64_t column_int(int column) const;
    std::span<const uint8_t> column_blob(int column) const;  // valid until the next step

private:
    sqlite3_stmt* m_stmt { nullptr };
};

// Runs statements without results; false on any error.
bool execute(sqlite3* db, const char* sql);

}  // namespace zt::platform::dbvol::detail
