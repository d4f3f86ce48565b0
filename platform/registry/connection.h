#pragma once
// The process's one connection to the registry of the current device root.
// A Session holds the process-wide registry lock for its lifetime, so the threads of a
// process take turns; other processes are kept consistent by SQLite's own locking. The lock
// is recursive: a Batch holds it (and one open write transaction) while the same thread's
// calls run their own Sessions inside it.
#include <sqlite3.h>

#include <mutex>
#include <optional>
#include <string_view>

#include "platform/sqlite/statement.h"

namespace zt::platform::registry::detail {

using Statement = zt::platform::sqlite::Statement;

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
    // True while this thread's Batch is open: transactions become savepoints inside it.
    bool in_batch() const;
    sqlite3* db() const { return m_db; }
    // A cached prepared statement; invalid when the SQL cannot be prepared.
    Statement statement(std::string_view sql);
    // The process's enumeration cursor of that kind; only valid while the session lives.
    EnumCursor& cursor(EnumKind kind);

private:
    std::unique_lock<std::recursive_mutex> m_lock;
    sqlite3* m_db { nullptr };
};

// A transaction that rolls back unless committed. Write transactions take the write lock at
// once (BEGIN IMMEDIATE) so they never fail half-way on a lock upgrade. Inside a Batch it is
// a savepoint: rolling it back undoes only its own writes, committing leaves them to the batch.
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
    bool m_savepoint { false };
};

// One write transaction spanning many calls of this thread (registry::WriteBatch).
class Batch {
public:
    Batch();
    ~Batch();  // rolls back unless committed
    Batch(const Batch&) = delete;
    Batch& operator=(const Batch&) = delete;

    bool active() const { return m_open; }
    // Commits and lets other threads in; false when nothing was stored.
    bool commit();

private:
    void close();

    std::optional<Session> m_session;
    std::optional<Transaction> m_transaction;
    bool m_open { false };  // counted in the connection's batch depth
};

}  // namespace zt::platform::registry::detail
