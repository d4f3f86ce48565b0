#pragma once
// One prepared statement of a volume's connection, finalized when it goes out of scope.
// Volumes run few statements per call, so nothing is cached.
#include <sqlite3.h>

#include <cstdint>
#include <optional>
#include <span>
#include <string>
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
    std::string column_text(int column) const;

private:
    sqlite3_stmt* m_stmt { nullptr };
};

// Runs statements without results; false on any error.
bool execute(sqlite3* db, const char* sql);
// One number from a single-row query; nullopt on error (the SQLite result code in *rc).
std::optional<int64_t> pragma_number(sqlite3* db, const char* sql, int* rc = nullptr);

// Marks a file as a volume of this device ("ZTDV"), so another program's SQLite file is never
// mistaken for one and written into.
inline constexpr int64_t kVolumeApplicationId = 0x5A544456;
// How long a call waits for another process's write to end.
inline constexpr int kBusyTimeoutMs = 5000;

}  // namespace zt::platform::dbvol::detail
