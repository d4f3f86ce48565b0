#include "platform/registry/connection.h"

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <map>
#include <optional>
#include <string>

#include "platform/base/device_root.h"
#include "platform/registry/registry_file.h"

namespace zt::platform::registry::detail {
namespace {

struct ProcessConnection {
    std::recursive_mutex mutex;
    int batch_depth { 0 };  // open Batches; only the thread holding the mutex can see them
    sqlite3* db { nullptr };
    std::filesystem::path root;
    pid_t owner { 0 };
    struct stat file {};  // identity of the registry file when it was opened
    bool damaged { false };  // a statement found the file damaged: reopen and check it
    // What the root and the file looked like when opening last failed. Until either changes,
    // opening is not tried again, so a broken registry costs one message, not one per call.
    std::optional<std::string> failed_state;
    std::map<std::string, sqlite3_stmt*, std::less<>> statements;
    EnumCursor cursors[2];

    void forget_cursors() {
        for (auto& cursor : cursors) cursor = {};
    }
    void close() {
        forget_cursors();
        for (auto& [sql, stmt] : statements) sqlite3_finalize(stmt);
        statements.clear();
        if (db) sqlite3_close(db);
        db = nullptr;
        damaged = false;
    }
    // A forked child must not touch its parent's SQLite state (its locks belong to the
    // parent), so the inherited connection is dropped without closing it.
    void abandon() {
        forget_cursors();
        statements.clear();
        db = nullptr;
        damaged = false;
    }
    ~ProcessConnection() {
        if (owner == getpid()) close();
    }
};

bool same_file(const struct stat& a, const struct stat& b) { return a.st_dev == b.st_dev && a.st_ino == b.st_ino; }

std::string describe_state(const std::filesystem::path& root, const std::filesystem::path& file) {
    std::string state = root.string();
    for (const auto& path : { root, file }) {
        struct stat st {};
        if (stat(path.c_str(), &st) != 0) {
            state += "|absent";
            continue;
        }
        // Appended piece by piece: gcc 12 at -O3 misreads a chain of temporaries here (-Wrestrict).
        const long long fields[] = { static_cast<long long>(st.st_dev), static_cast<long long>(st.st_ino),
                                     static_cast<long long>(st.st_size), static_cast<long long>(st.st_mode),
                                     static_cast<long long>(st.st_mtim.tv_sec), static_cast<long long>(st.st_mtim.tv_nsec) };
        for (size_t i = 0; i < std::size(fields); ++i) {
            state += i == 0 ? '|' : ':';
            state += std::to_string(fields[i]);
        }
    }
    return state;
}

ProcessConnection& connection() {
    static ProcessConnection instance;
    return instance;
}

}  // namespace

Session::Session() : m_lock(connection().mutex) {
    ProcessConnection& c = connection();
    if (c.batch_depth > 0) {
        // The batch's transaction lives on this connection: no reopening under it.
        m_db = c.db;
        return;
    }
    if (c.db && c.owner != getpid()) c.abandon();
    auto root = device_root();
    if (root.empty()) return;
    // A registry file replaced or removed under a running process (a new device root in the
    // same place, a person deleting it) is followed, so no process keeps writing to a file
    // that the others no longer see.
    struct stat now {};
    bool present = stat((root / kRegistryFileName).c_str(), &now) == 0;
    if (c.db && (c.root != root || !present || !same_file(now, c.file) || c.damaged)) c.close();
    if (!c.db) {
        std::string state = describe_state(root, root / kRegistryFileName);
        if (c.failed_state == state) return;
        c.db = open_registry(root);
        if (!c.db) {
            c.failed_state = describe_state(root, root / kRegistryFileName);
            return;
        }
        c.failed_state.reset();
        c.root = root;
        c.owner = getpid();
        if (stat((root / kRegistryFileName).c_str(), &c.file) != 0) c.file = {};
    }
    m_db = c.db;
}

bool Session::in_batch() const { return connection().batch_depth > 0; }

Statement Session::statement(std::string_view sql) {
    if (!m_db) return Statement::borrow(nullptr);
    auto& cache = connection().statements;
    bool* damaged = &connection().damaged;
    if (auto it = cache.find(sql); it != cache.end()) return Statement::borrow(it->second, damaged);
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v3(m_db, sql.data(), static_cast<int>(sql.size()), SQLITE_PREPARE_PERSISTENT,
                           &stmt, nullptr) != SQLITE_OK) {
        sqlite3_finalize(stmt);
        return Statement::borrow(nullptr);
    }
    cache.emplace(std::string(sql), stmt);
    return Statement::borrow(stmt, damaged);
}

EnumCursor& Session::cursor(EnumKind kind) { return connection().cursors[kind == EnumKind::Values ? 0 : 1]; }

Transaction::Transaction(Session& session, Mode mode) : m_session(session) {
    if (!session.ok()) return;
    if (session.in_batch()) {
        // SQLite ends a transaction by itself after some errors (a full disk); writing on
        // outside it would commit part of the batch, so the call fails instead.
        if (sqlite3_get_autocommit(session.db())) return;
        auto savepoint = session.statement("SAVEPOINT zt_call");
        m_active = m_savepoint = savepoint.step() == SQLITE_DONE;
        return;
    }
    auto begin = session.statement(mode == Mode::Write ? "BEGIN IMMEDIATE" : "BEGIN");
    m_active = begin.step() == SQLITE_DONE;
}

Transaction::~Transaction() {
    if (!m_active) return;
    if (m_savepoint) {
        auto undo = m_session.statement("ROLLBACK TO zt_call");
        undo.step();
        auto release = m_session.statement("RELEASE zt_call");
        release.step();
        return;
    }
    auto rollback = m_session.statement("ROLLBACK");
    rollback.step();
}

bool Transaction::commit() {
    if (!m_active) return false;
    auto commit = m_session.statement(m_savepoint ? "RELEASE zt_call" : "COMMIT");
    int rc = commit.step();
    if (rc != SQLITE_DONE) return false;  // still active: the destructor rolls back
    m_active = false;
    return true;
}

Batch::Batch() {
    m_session.emplace();
    if (m_session->in_batch()) return;  // batches do not nest
    m_transaction.emplace(*m_session, Transaction::Mode::Write);
    if (!m_transaction->active()) return;
    ++connection().batch_depth;
    m_open = true;
}

Batch::~Batch() { close(); }

bool Batch::commit() {
    if (!m_open) return false;
    bool stored = m_transaction->commit();
    close();
    return stored;
}

void Batch::close() {
    if (m_open) --connection().batch_depth;
    m_open = false;
    m_transaction.reset();  // rolls back what was not committed
    m_session.reset();      // lets the other threads in
}

}  // namespace zt::platform::registry::detail
