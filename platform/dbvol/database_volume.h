#pragma once
// Database volumes: files of the device holding named databases of records, each record a list
// of typed properties. The notification service keeps its registrations in one
// ("mxip_notify.vol", database "DB_notify_events"); clean-up tools mount it and walk it.
//
// Guarantees:
//  - A volume is named by a device path ("\Folder\x.vol") or a bare file name, which lies in
//    the device root. mount_existing never creates; mount_always creates a missing file.
//  - A file that is not a volume (garbage, a damaged file, some other SQLite database) is
//    refused (nullopt) and left untouched: nothing is overwritten, nothing is lost. Whether a
//    refused file is damaged or only unreadable just now tells diagnose_volume (volume_check.h).
//  - A volume file made by mount_always has mode 0600 (its log and index too).
//  - Every write is one transaction, durable when it returns, and safe against other
//    processes writing the same volume (they wait for each other up to several seconds).
//  - Storage order is the order in which records were first written; replacing a record
//    in place keeps its place and its id. Record ids are never reused within a database.
//  - Database names are 1..32 UTF-16 units without control characters; the names
//    of the underlying store ("sqlite_...") are refused.
//
// Traps:
//  - A Database borrows its Volume's connection: the Volume must outlive it.
//  - One Volume (and its Databases) is for one thread at a time; other threads or processes
//    mount their own.
//  - A record whose stored bytes are damaged reads as nullopt (read_current, read_record); it
//    can still be deleted, and the cursor moves past it.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

struct sqlite3;

namespace zt::platform::dbvol {

using RecordId = uint32_t;

struct Property {
    uint16_t id { 0 };
    std::variant<std::u16string, uint32_t, int64_t, std::vector<uint8_t>> value;
    friend bool operator==(const Property&, const Property&) = default;
};

class Volume {
public:
    // Fails when the file is missing or is not a volume.
    static std::optional<Volume> mount_existing(std::u16string_view name);
    // Creates an empty volume when missing; fails when the file is not a volume.
    static std::optional<Volume> mount_always(std::u16string_view name);

    Volume(Volume&& other) noexcept;
    Volume& operator=(Volume&& other) noexcept;
    Volume(const Volume&) = delete;
    Volume& operator=(const Volume&) = delete;
    ~Volume();

private:
    friend class Database;
    explicit Volume(sqlite3* db) : m_db(db) {}
    static std::optional<Volume> mount(std::u16string_view name, bool create);

    sqlite3* m_db { nullptr };
};

class Database {
public:
    // Fails when the volume has no database of that name.
    static std::optional<Database> open(Volume& volume, std::u16string_view name);
    // A database this call makes never gives its records ids up to `reserved` (one made in
    // place of a lost one keeps clear of the ids the lost one gave out).
    static std::optional<Database> create_or_open(Volume& volume, std::u16string_view name, RecordId reserved = 0);

    // The cursor walks records in storage order. Each call returns the id of the record now
    // under the cursor, or nullopt past the end (the cursor then stays where it was).
    std::optional<RecordId> seek_first();
    std::optional<RecordId> seek_next();
    // The properties of the record under the cursor; nullopt when there is none, it was
    // deleted, or its stored bytes cannot be read (skip it).
    std::optional<std::vector<Property>> read_current();

    // Direct access by id, independent of the cursor.
    std::optional<std::vector<Property>> read_record(RecordId id);
    // The text of a property of a record; nullopt when the record or a text property of
    // that id is missing or the record cannot be read.
    std::optional<std::u16string> text_property(RecordId id, uint16_t property_id);

    // Deleting the record under the cursor keeps the cursor usable: seek_next then moves to
    // the record after it. False when no record has that id.
    bool delete_record(RecordId id);
    // Deletes the record only while it still holds exactly these properties (one atomic step,
    // so a record replaced meanwhile by another process is kept). False otherwise.
    bool delete_record_if_unchanged(RecordId id, const std::vector<Property>& expected);
    // 0 writes a new record at the end; another id replaces that record's properties in
    // place (nullopt when it does not exist). nullopt too when the properties cannot be
    // stored (a text or byte value over 16 MiB, more than 65535 properties, a full disk).
    std::optional<RecordId> write_record(RecordId id_or_0, const std::vector<Property>& props);

    // Number of records (diagnostics and tests); nullopt when the volume cannot be read.
    std::optional<uint32_t> record_count();

    // True once a seek, read or delete met an error other than the end of the records or a
    // missing id: the volume could not be read (damaged pages, I/O), so what was visited may be
    // incomplete. A record whose own bytes are damaged does not count; it is only skipped.
    bool failed() const { return m_failed; }

    Database(Database&&) noexcept = default;
    Database& operator=(Database&&) noexcept = default;
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;
    ~Database() = default;

private:
    Database(sqlite3* db, std::string quoted_table) : m_db(db), m_table(std::move(quoted_table)) {}
    std::optional<RecordId> seek_after(int64_t position);
    // Remembers a step that ended neither with a row nor at the end.
    void note(int step_result);

    sqlite3* m_db { nullptr };
    std::string m_table;        // the quoted SQL identifier of the database's table
    bool m_failed { false };
    int64_t m_position { 0 };   // id of the record under the cursor; 0 before the first seek
};

}  // namespace zt::platform::dbvol
