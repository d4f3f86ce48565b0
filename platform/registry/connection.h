#pragma once
// The process's one connection to the registry of the current device root.
// A Session holds the process-wide registry lock for its lifetime, so the threads of a
// process take turns; other processes are kept consistent by SQLite's own locking.
#include <sqlite3.h>

#include <mutex>
#include <string_view>

#include "platform/registry/sqlite_statement.h"

namespace zt::platform::registry::detail {

// Where the last enumeration of one kind stood in this process, and which state of the
// registry it saw. Kept with the connection, so a reopened connection starts without one.
struct EnumCursor {
    int64_t parent { 0 };  // the enumerated key; 0 when there is no cursor
    uint32_t index { 0 };
    int64_t row { 0 };  // row id of the item at index
    int64_t data_version { 0 };  // PRAGMA data_version: commits of other connections
    int64_t own_changes { 0 };   // sqlite3_total_changes64: this connection's own writes
};
enum class EnumKind { Values, Subkeys };

class Session {
public:
    // Waits for the lock, then opens the connection, or reopens it when the device root
    // changed or this is a forked child. ok() is false when no registry can be opened.
    Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    bool ok() const { return m_db != nullptr; }
    sqlite3* db() const { return m_db; }
    // A cached prepared statement; invalid when the SQL cannot be prepared.
    Statement statement(std::string_view sql);
    // The process's enumeration cursor of that kind; only valid while the session lives.
    EnumCursor& cursor(EnumKind kind);

private:
    std::unique_lock<std::mutex> m_lock;
    sqlite3* m_db { nullptr };
};

// A transaction that rolls back unless committed. Write transactions take the write lock at
// once (BEGIN IMMEDIATE) so they never fail half-way on a lock upgrade.
class Transaction {
public:
    enum class Mode { Read, Write };
    Transaction(Session& session, Mode mode);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    bool active() const { return m_active; }
    bool commit();

private:
    Session& m_session;
    bool m_active { false };
};

}  // namespace zt::platform::registry::detail
