#include "platform/registry/registry_store.h"

#include <span>
#include <utility>
#include <vector>

#include "platform/base/text.h"
#include "platform/registry/connection.h"
#include "platform/registry/key_path.h"
#include "platform/registry/value_codec.h"

namespace zt::platform::registry::detail {
namespace {

// Names are stored as UTF-16LE blobs, so unpaired surrogates survive exactly.
bool bind_units(Statement& statement, int index, std::u16string_view units) {
    return statement.bind_blob(index, units_to_bytes(units));
}

std::u16string column_units(const Statement& statement, int column) {
    return bytes_to_units(statement.column_blob(column));
}

std::vector<uint8_t> blob_copy(const Statement& statement, int column) {
    const std::span<const uint8_t> bytes = statement.column_blob(column);
    return std::vector<uint8_t>(bytes.begin(), bytes.end());
}

constexpr int64_t kCurrentUserId = 1;  // the two root rows every registry file is created with
constexpr int64_t kLocalMachineId = 2;

ReachedKey failed_reach(Status status) {
    ReachedKey reached;
    reached.status = status;
    return reached;
}

Status status_of_step(int rc) {
    if (rc == SQLITE_ROW) return Status::Ok;
    if (rc == SQLITE_DONE) return Status::NotFound;
    return Status::Failed;
}

Status check_key(Session& session, int64_t id) {
    auto query = session.statement("SELECT 1 FROM keys WHERE id = ?1");
    query.bind_int(1, id);
    return status_of_step(query.step());
}

struct Child {
    Status status { Status::Failed };
    int64_t id { 0 };
    std::u16string name;
};

Child find_child(Session& session, int64_t parent, std::u16string_view name) {
    auto query = session.statement("SELECT id, name FROM keys WHERE parent = ?1 AND folded = ?2");
    query.bind_int(1, parent);
    bind_units(query, 2, fold_case(name));
    Child child;
    child.status = status_of_step(query.step());
    if (child.status == Status::Ok) {
        child.id = query.column_int(0);
        child.name = column_units(query, 1);
    }
    return child;
}

Child insert_child(Session& session, int64_t parent, std::u16string_view name) {
    auto insert = session.statement("INSERT INTO keys(parent, name, folded) VALUES (?1, ?2, ?3)");
    insert.bind_int(1, parent);
    bind_units(insert, 2, name);
    bind_units(insert, 3, fold_case(name));
    if (insert.step() != SQLITE_DONE) return {};
    return { Status::Ok, sqlite3_last_insert_rowid(session.db()), std::u16string(name) };
}

// Inside an open transaction: follows the components from start, creating missing ones
// when asked to.
ReachedKey walk(Session& session, int64_t start, const std::vector<std::u16string_view>& components,
                bool create) {
    ReachedKey reached = failed_reach(check_key(session, start));
    if (reached.status != Status::Ok) return reached;
    reached.id = start;
    for (auto component : components) {
        Child child = find_child(session, reached.id, component);
        reached.newly_created = false;
        if (child.status == Status::NotFound && create) {
            child = insert_child(session, reached.id, component);
            reached.newly_created = true;
        }
        if (child.status != Status::Ok) return failed_reach(child.status);
        reached.id = child.id;
        if (!reached.stored_path.empty()) reached.stored_path += u'\\';
        reached.stored_path += child.name;
    }
    return reached;
}

ReachedKey reach(int64_t start, std::u16string_view path, bool create) {
    auto components = split_key_path(path);
    if (!components) return failed_reach(Status::InvalidArgument);
    Session session;
    Transaction transaction(session, create ? Transaction::Mode::Write : Transaction::Mode::Read);
    if (!transaction.active()) return {};
    ReachedKey reached = walk(session, start, *components, create);
    if (reached.status == Status::Ok && !transaction.commit()) return {};
    return reached;
}

bool step_done(Statement& statement) { return statement.step() == SQLITE_DONE; }

}  // namespace

int64_t root_key_id(Root root) { return root == Root::CurrentUser ? kCurrentUserId : kLocalMachineId; }

ReachedKey open_key(int64_t start, std::u16string_view path) { return reach(start, path, false); }
ReachedKey create_key(int64_t start, std::u16string_view path) { return reach(start, path, true); }

StoredValue get_value(int64_t key, std::u16string_view name) {
    Session session;
    auto query = session.statement("SELECT type, data FROM vals WHERE key = ?1 AND folded = ?2");
    query.bind_int(1, key);
    bind_units(query, 2, fold_case(name));
    StoredValue value;
    value.status = status_of_step(query.step());
    if (value.status == Status::Ok) {
        value.type = static_cast<ValueType>(static_cast<uint32_t>(query.column_int(0)));
        value.data = blob_copy(query, 1);
    }
    return value;
}

Status set_value(int64_t key, std::u16string_view name, ValueType type, std::span<const uint8_t> data) {
    Session session;
    Transaction transaction(session, Transaction::Mode::Write);
    if (!transaction.active()) return Status::Failed;
    if (Status found = check_key(session, key); found != Status::Ok) return found;
    // An overwrite updates the row in place, which keeps the value's enumeration position and
    // the case of its first name.
    auto upsert = session.statement(
        "INSERT INTO vals(key, name, folded, type, data) VALUES (?1, ?2, ?3, ?4, ?5) "
        "ON CONFLICT(key, folded) DO UPDATE SET type = excluded.type, data = excluded.data");
    upsert.bind_int(1, key);
    bind_units(upsert, 2, name);
    bind_units(upsert, 3, fold_case(name));
    upsert.bind_int(4, static_cast<uint32_t>(type));
    if (!upsert.bind_blob(5, data) || !step_done(upsert)) return Status::Failed;
    return transaction.commit() ? Status::Ok : Status::Failed;
}

Status delete_value(int64_t key, std::u16string_view name) {
    Session session;
    Transaction transaction(session, Transaction::Mode::Write);
    if (!transaction.active()) return Status::Failed;
    if (Status found = check_key(session, key); found != Status::Ok) return found;
    auto remove = session.statement("DELETE FROM vals WHERE key = ?1 AND folded = ?2");
    remove.bind_int(1, key);
    bind_units(remove, 2, fold_case(name));
    if (!step_done(remove)) return Status::Failed;
    if (sqlite3_changes(session.db()) == 0) return Status::NotFound;
    return transaction.commit() ? Status::Ok : Status::Failed;
}

Status delete_key(int64_t start, std::u16string_view path) {
    auto components = split_key_path(path);
    if (!components || components->empty()) return Status::InvalidArgument;
    Session session;
    Transaction transaction(session, Transaction::Mode::Write);
    if (!transaction.active()) return Status::Failed;
    ReachedKey target = walk(session, start, *components, false);
    if (target.status != Status::Ok) return target.status;
    {
        auto children = session.statement("SELECT 1 FROM keys WHERE parent = ?1 LIMIT 1");
        children.bind_int(1, target.id);
        Status has_children = status_of_step(children.step());
        if (has_children == Status::Ok) return Status::HasSubkeys;
        if (has_children == Status::Failed) return Status::Failed;
    }
    auto remove_values = session.statement("DELETE FROM vals WHERE key = ?1");
    remove_values.bind_int(1, target.id);
    auto remove_key = session.statement("DELETE FROM keys WHERE id = ?1");
    remove_key.bind_int(1, target.id);
    if (!step_done(remove_values) || !step_done(remove_key)) return Status::Failed;
    return transaction.commit() ? Status::Ok : Status::Failed;
}

Status delete_tree(int64_t start, std::u16string_view path) {
    auto components = split_key_path(path);
    if (!components) return Status::InvalidArgument;
    Session session;
    Transaction transaction(session, Transaction::Mode::Write);
    if (!transaction.active()) return Status::Failed;
    ReachedKey target = walk(session, start, *components, false);
    if (target.status != Status::Ok) return target.status;
    // An empty path clears the key but keeps it (?2 spares its own row).
    int64_t spared = components->empty() ? target.id : 0;
    auto remove_values = session.statement(
        "WITH RECURSIVE subtree(id) AS (SELECT ?1 UNION ALL "
        "SELECT keys.id FROM keys JOIN subtree ON keys.parent = subtree.id) "
        "DELETE FROM vals WHERE key IN (SELECT id FROM subtree)");
    remove_values.bind_int(1, target.id);
    auto remove_keys = session.statement(
        "WITH RECURSIVE subtree(id) AS (SELECT ?1 UNION ALL "
        "SELECT keys.id FROM keys JOIN subtree ON keys.parent = subtree.id) "
        "DELETE FROM keys WHERE id IN (SELECT id FROM subtree) AND id <> ?2");
    remove_keys.bind_int(1, target.id);
    remove_keys.bind_int(2, spared);
    if (!step_done(remove_values) || !step_done(remove_keys)) return Status::Failed;
    return transaction.commit() ? Status::Ok : Status::Failed;
}

namespace {

// The item at an index of a key's values or sub-keys, in creation order. Listing a key walks
// the indices 0, 1, 2, ...: each call after the first continues from the row the previous
// call found, so listing n items costs n short look-ups instead of an OFFSET scan each
// (quadratic). The cursor is used only when nothing in the registry changed in between (no
// commit of another process, no write of this one); otherwise the index is counted out again,
// so every call answers exactly what it would have answered alone.
template <class Read>
auto item_at(EnumKind kind, int64_t parent, uint32_t index, std::string_view after_sql, std::string_view offset_sql,
             Read read) -> decltype(read(std::declval<Statement&>())) {
    Session session;
    Transaction snapshot(session, Transaction::Mode::Read);
    if (!snapshot.active()) return std::nullopt;
    int64_t data_version = 0;
    {
        auto version = session.statement("PRAGMA data_version");
        if (version.step() != SQLITE_ROW) return std::nullopt;
        data_version = version.column_int(0);
    }
    const int64_t own_changes = sqlite3_total_changes64(session.db());

    EnumCursor& cursor = session.cursor(kind);
    const bool follows = index == 0 || (cursor.parent == parent && cursor.index + 1 == index &&
                                        cursor.data_version == data_version && cursor.own_changes == own_changes);
    auto query = session.statement(follows ? after_sql : offset_sql);
    query.bind_int(1, parent);
    query.bind_int(2, follows ? (index == 0 ? 0 : cursor.row) : int64_t { index });
    if (query.step() != SQLITE_ROW) {
        cursor = {};
        return std::nullopt;
    }
    cursor = { parent, index, query.column_int(0), data_version, own_changes };
    // The read-only snapshot ends when `snapshot` goes, after the statements are reset.
    return read(query);
}

}  // namespace

std::optional<Key::ValueInfo> value_at(int64_t key, uint32_t index) {
    return item_at(EnumKind::Values, key, index,
                   "SELECT id, name, type, data FROM vals WHERE key = ?1 AND id > ?2 ORDER BY id LIMIT 1",
                   "SELECT id, name, type, data FROM vals WHERE key = ?1 ORDER BY id LIMIT 1 OFFSET ?2",
                   [](Statement& row) -> std::optional<Key::ValueInfo> {
                       return Key::ValueInfo { column_units(row, 1),
                                               static_cast<ValueType>(static_cast<uint32_t>(row.column_int(2))),
                                               blob_copy(row, 3) };
                   });
}

std::optional<std::u16string> subkey_at(int64_t key, uint32_t index) {
    return item_at(EnumKind::Subkeys, key, index,
                   "SELECT id, name FROM keys WHERE parent = ?1 AND id > ?2 ORDER BY id LIMIT 1",
                   "SELECT id, name FROM keys WHERE parent = ?1 ORDER BY id LIMIT 1 OFFSET ?2",
                   [](Statement& row) -> std::optional<std::u16string> { return column_units(row, 1); });
}

Status flush(int64_t key) {
    Session session;
    if (!session.ok()) return Status::Failed;
    if (Status found = check_key(session, key); found != Status::Ok) return found;
    // Commits already survive a killed process; the checkpoint writes them into the registry
    // file and syncs it. A passive checkpoint never waits for other processes, and when they
    // keep it from finishing the next one catches up, so its result is not an error.
    sqlite3_wal_checkpoint_v2(session.db(), nullptr, SQLITE_CHECKPOINT_PASSIVE, nullptr, nullptr);
    return Status::Ok;
}

}  // namespace zt::platform::registry::detail
