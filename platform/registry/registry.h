#pragma once
// The device registry: two hives (current user, local machine) of keys holding typed values,
// shared by every process of one device root.
//
// Guarantees
// - Every write (set, delete, create) is one transaction and is durable when the call returns:
//   a process killed at any moment loses nothing written before and corrupts nothing.
// - Any number of processes and threads may use the registry at once. A writer waits for a
//   busy registry (up to several seconds) before it reports Status::Failed.
// - Key and value names are compared without regard to case (zt::platform::fold_case) and
//   keep the case they were first created with. "Software\Zunworks" and "SOFTWARE\zunworks"
//   name the same key.
// - Sub-keys and values enumerate in creation order; overwriting a value keeps its place.
// - The empty value name is the key's default value.
//
// Traps
// - A Key is a handle, not a snapshot: when another process deletes the key, every operation
//   on the handle fails with Status::NotFound (or an empty result), even if a key of the same
//   name is created again later.
// - Paths use "\" separators; one leading and one trailing "\" are ignored; an empty component
//   ("a\\b"), a component longer than 255 units, a path longer than 4096 units or a value name
//   longer than 16383 units is Status::InvalidArgument. A key name never contains "\".
// - The registry file is "registry.db" in the device root. A file there that is not a
//   registry (garbage, another database, damaged pages) is moved aside, renamed and never
//   deleted, with a message on stderr, and the device starts with empty hives. Damage is
//   looked for when a process opens the file; damage met later fails that one operation
//   (Status::Failed) and the next one reopens, checks and moves the file.
// - A registry file replaced or removed while processes run is followed by all of them.
// - Typed readers (get_string, get_dword) return nullopt for a value of another type or a
//   malformed size; the raw query_value never interprets data.
// - After fork() the child opens its own connection on first use; fork only while no other
//   thread is inside a registry call.
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zt::platform::registry {

namespace detail {
class Batch;
}

enum class Root { CurrentUser, LocalMachine };
// The stored type is any 32-bit number; these are the ones the device gives meaning to.
enum class ValueType : uint32_t { None = 0, Sz = 1, ExpandSz = 2, Binary = 3, Dword = 4, MultiSz = 7 };
enum class Status { Ok, NotFound, MoreData, HasSubkeys, NoMoreItems, InvalidArgument, Failed };

// An open key. Move-only; closing it releases nothing but the handle, because every write is
// already durable. A moved-from Key fails every operation with Status::InvalidArgument.
class Key {
public:
    struct Created;  // { Key key; bool newly_created; }
    struct ValueInfo {
        std::u16string name;
        ValueType type { ValueType::None };
        std::vector<uint8_t> data;
    };

    // Creates the key and any missing parents in one transaction. newly_created tells whether
    // the last component did not exist before. An empty path opens the root itself.
    static std::optional<Created> create(Root root, std::u16string_view path);
    // Fails (nullopt) when the key does not exist.
    static std::optional<Key> open(Root root, std::u16string_view path);
    // Relative to this key; an empty path is this key again.
    std::optional<Created> create_subkey(std::u16string_view path) const;
    std::optional<Key> open_subkey(std::u16string_view path) const;

    // Raw platform-style query. *size is in/out in bytes. With data == nullptr only the type
    // and needed size are reported (size must then be non-null unless only the type is
    // wanted). When *size is smaller than the value, nothing is copied, *type is set and
    // Status::MoreData reports the needed size in *size.
    Status query_value(std::u16string_view name, ValueType* type, uint8_t* data, uint32_t* size) const;
    // Stores the bytes as given; the type is not checked against the data.
    Status set_value(std::u16string_view name, ValueType type, std::span<const uint8_t> data) const;

    // REG_SZ / REG_EXPAND_SZ text up to its first NUL; nullopt for other types.
    std::optional<std::u16string> get_string(std::u16string_view name) const;
    // REG_DWORD of exactly 4 bytes (little-endian); nullopt otherwise.
    std::optional<uint32_t> get_dword(std::u16string_view name) const;
    // The raw bytes of a value of any type.
    std::optional<std::vector<uint8_t>> get_binary(std::u16string_view name) const;
    // REG_SZ as UTF-16LE with its terminating NUL.
    Status set_string(std::u16string_view name, std::u16string_view value) const;
    Status set_dword(std::u16string_view name, uint32_t value) const;
    Status set_binary(std::u16string_view name, std::span<const uint8_t> value) const;
    // REG_MULTI_SZ: each string with its NUL, then one more NUL.
    Status set_multi_string(std::u16string_view name, const std::vector<std::u16string>& values) const;

    Status delete_value(std::u16string_view name) const;
    // Deletes one sub-key and its values; Status::HasSubkeys (and nothing changes) while the
    // sub-key has sub-keys of its own. An empty path is Status::InvalidArgument.
    Status delete_subkey(std::u16string_view path) const;
    // Deletes a sub-key with everything below it. An empty path deletes the key's own values
    // and sub-keys but keeps the key.
    Status delete_tree(std::u16string_view path) const;

    // nullopt past the end (or when the key is gone).
    std::optional<ValueInfo> enum_value(uint32_t index) const;
    std::optional<std::u16string> enum_subkey(uint32_t index) const;
    // Every write survives a killed process as soon as it returns; flush also makes it survive
    // a power loss, and folds the write-ahead log into the registry file so a copy of that file
    // alone is current. Status::NotFound when the key was deleted.
    Status flush() const;
    // The path below the root with the case each component was created with ("" for a root).
    std::u16string name() const;
    Root root() const { return m_root; }

    Key(Key&& other) noexcept;
    Key& operator=(Key&& other) noexcept;
    Key(const Key&) = delete;
    Key& operator=(const Key&) = delete;
    ~Key() = default;

private:
    Key(Root root, int64_t id, std::u16string name);
    std::optional<Created> create_below(std::u16string_view path) const;

    Root m_root { Root::CurrentUser };
    int64_t m_id { 0 };  // 0 once moved from
    std::u16string m_name;
};

struct Key::Created {
    Key key;
    bool newly_created { false };
};

// Makes the registry writes of the calling thread, from begin() to commit(), one transaction:
// other processes see all of them or none, and a process killed before commit() leaves none.
// Each call inside still reports its own outcome; a call that fails undoes only its own part,
// and the caller decides whether to commit the rest. Other threads of the process wait until
// the batch ends; other processes wait to write (up to the usual few seconds). Batches do
// not nest, and a batch ends on the thread that began it.
class WriteBatch {
public:
    // nullopt when the registry cannot be written now, or a batch of this thread is open.
    static std::optional<WriteBatch> begin();
    // False when nothing of the batch was stored.
    bool commit();

    WriteBatch(WriteBatch&&) noexcept;
    WriteBatch& operator=(WriteBatch&&) noexcept;
    WriteBatch(const WriteBatch&) = delete;
    WriteBatch& operator=(const WriteBatch&) = delete;
    ~WriteBatch();  // without commit(): every write of the batch is undone

private:
    explicit WriteBatch(std::unique_ptr<detail::Batch> batch);
    std::unique_ptr<detail::Batch> m_batch;
};

// Root-level helpers.
Status delete_key(Root root, std::u16string_view path);   // Status::HasSubkeys while it has sub-keys
// An empty path is refused (Status::InvalidArgument): a whole hive is cleared only through
// Key::open(root, u"")->delete_tree(u"").
Status delete_tree(Root root, std::u16string_view path);
// "HKCU" / "HKEY_CURRENT_USER" / "HKLM" / "HKEY_LOCAL_MACHINE", any case.
std::optional<Root> parse_root(std::u16string_view name);
// "HKEY_CURRENT_USER" or "HKEY_LOCAL_MACHINE".
std::u16string_view root_name(Root root);

}  // namespace zt::platform::registry
