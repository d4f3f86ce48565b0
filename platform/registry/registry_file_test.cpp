// What the registry does with a file in its place that is not a registry.
#include <sqlite3.h>
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "platform/base/device_root.h"
#include "platform/base/text.h"
#include "platform/registry/registry.h"
#include "platform/registry/registry_file.h"
#include "platform/testing/run_program.h"
#include "platform/testing/temp_device_root.h"

namespace zt::platform::registry {
namespace {
namespace fs = std::filesystem;

class RegistryFileTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_FALSE(m_root.path().empty()); }

    fs::path registry_file() const { return m_root.path() / "registry.db"; }

    // Puts a new file in the registry's place, as a person copying a file there would.
    void write_file(const std::string& bytes) const {
        fs::path staged = m_root.path() / "staged";
        std::ofstream(staged, std::ios::binary | std::ios::trunc) << bytes;
        fs::rename(staged, registry_file());
    }

    void make_database(const char* sql) const {
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(registry_file().c_str(), &db), SQLITE_OK);
        ASSERT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(db);
        sqlite3_close(db);
    }

    std::vector<fs::path> moved_aside() const {
        std::vector<fs::path> found;
        for (const auto& entry : fs::directory_iterator(m_root.path())) {
            auto name = entry.path().filename().string();
            if (name.starts_with("registry.db.bad-") && !name.ends_with("-wal") && !name.ends_with("-shm"))
                found.push_back(entry.path());
        }
        return found;
    }

    static std::string read_all(const fs::path& file) {
        std::ifstream in(file, std::ios::binary);
        return { std::istreambuf_iterator<char>(in), {} };
    }

    // Uses the registry and returns what it said on stderr meanwhile.
    static std::string use_registry() {
        ::testing::internal::CaptureStderr();
        auto created = Key::create(Root::CurrentUser, u"Fresh");
        bool wrote = created && created->key.set_dword(u"v", 1) == Status::Ok;
        std::string said = ::testing::internal::GetCapturedStderr();
        EXPECT_TRUE(wrote) << "registry unusable after recovery: " << said;
        return said;
    }

    // Overwrites the b-tree root pages of a table and its indexes with noise, as a failing
    // disk would, leaving the file header and the schema intact.
    void damage_pages_of(const char* table) const {
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open_v2(registry_file().c_str(), &db, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK);
        sqlite3_stmt* stmt = nullptr;
        ASSERT_EQ(sqlite3_prepare_v2(db, "SELECT rootpage FROM sqlite_master WHERE tbl_name = ?1", -1, &stmt, nullptr),
                  SQLITE_OK);
        sqlite3_bind_text(stmt, 1, table, -1, SQLITE_STATIC);
        std::vector<int64_t> pages;
        while (sqlite3_step(stmt) == SQLITE_ROW) pages.push_back(sqlite3_column_int64(stmt, 0));
        sqlite3_finalize(stmt);
        int64_t page_size = 0;
        sqlite3_prepare_v2(db, "PRAGMA page_size", -1, &stmt, nullptr);
        if (sqlite3_step(stmt) == SQLITE_ROW) page_size = sqlite3_column_int64(stmt, 0);
        sqlite3_finalize(stmt);
        sqlite3_close(db);
        ASSERT_FALSE(pages.empty());
        ASSERT_GT(page_size, 0);
        std::fstream file(registry_file(), std::ios::binary | std::ios::in | std::ios::out);
        for (int64_t page : pages) {
            file.seekp((page - 1) * page_size);
            file << std::string(static_cast<size_t>(page_size), '\xA5');
        }
    }

    testing::TempDeviceRoot m_root;
};

TEST_F(RegistryFileTest, GarbageIsMovedAsideIntactAndHivesStartEmpty) {
    const std::string garbage = "this is not a database at all\n" + std::string(5000, '\x5A');
    write_file(garbage);
    std::string said = use_registry();
    EXPECT_NE(said.find("not a registry"), std::string::npos) << said;

    auto aside = moved_aside();
    ASSERT_EQ(aside.size(), 1u);
    EXPECT_EQ(read_all(aside[0]), garbage) << "the foreign file must be kept byte for byte";
    EXPECT_NE(said.find(aside[0].string()), std::string::npos) << "the message names where it went";
    EXPECT_FALSE(Key::open(Root::CurrentUser, u"Anything"));
}

TEST_F(RegistryFileTest, ANewRegistryIsPrivateInAnOpenRoot) {
    ASSERT_EQ(chmod(m_root.path().c_str(), 0755), 0);
    mode_t old_mask = umask(022);
    use_registry();
    umask(old_mask);
    for (const char* name : { "registry.db", "registry.db-wal", "registry.db-shm" }) {
        struct stat info {};
        ASSERT_EQ(stat((m_root.path() / name).c_str(), &info), 0) << name;
        EXPECT_EQ(info.st_mode & 0777, 0600u) << name << " is readable by others";
    }
}

TEST_F(RegistryFileTest, ShortGarbageIsNotTakenForAnEmptyRegistry) {
    write_file("tiny");  // SQLite alone would treat this as an empty database and overwrite it
    EXPECT_NE(use_registry().find("not a registry"), std::string::npos);
    auto aside = moved_aside();
    ASSERT_EQ(aside.size(), 1u);
    EXPECT_EQ(read_all(aside[0]), "tiny");
}

TEST_F(RegistryFileTest, DatabaseOfAnotherKindIsMovedAside) {
    make_database("CREATE TABLE other(x); INSERT INTO other VALUES (42);");
    EXPECT_NE(use_registry().find("another kind"), std::string::npos);
    ASSERT_EQ(moved_aside().size(), 1u);
}

TEST_F(RegistryFileTest, RegistryWithMissingTablesIsMovedAside) {
    make_database("PRAGMA application_id = 1515475527; PRAGMA user_version = 1;"
                  "CREATE TABLE keys(id INTEGER PRIMARY KEY, parent, name, folded);");
    EXPECT_NE(use_registry().find("missing or damaged"), std::string::npos);
    EXPECT_EQ(moved_aside().size(), 1u);
}

TEST_F(RegistryFileTest, RegistryOfANewerFormatIsLeftAlone) {
    make_database("PRAGMA application_id = 1515475527; PRAGMA user_version = 2; CREATE TABLE future(x);");
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(Key::create(Root::CurrentUser, u"Fresh"));
    std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find("newer"), std::string::npos) << said;
    EXPECT_TRUE(moved_aside().empty()) << "a newer registry is not ours to move";

    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(Key::open(Root::CurrentUser, u"Fresh"));
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "") << "one message, not one per call";
    fs::remove(registry_file());
    EXPECT_EQ(use_registry(), "") << "once the file is gone, a fresh registry is made";
}

TEST_F(RegistryFileTest, EmptyFileBecomesARegistry) {
    write_file("");
    EXPECT_EQ(use_registry(), "");
    EXPECT_TRUE(moved_aside().empty());
}

TEST_F(RegistryFileTest, FileReplacedUnderARunningProcessIsFollowed) {
    use_registry();
    write_file("garbage written over the live registry");
    fs::remove(m_root.path() / "registry.db-wal");
    fs::remove(m_root.path() / "registry.db-shm");
    EXPECT_NE(use_registry().find("not a registry"), std::string::npos);
    write_file("and once more");
    use_registry();
    EXPECT_EQ(moved_aside().size(), 2u) << "each foreign file gets its own name";
}

TEST_F(RegistryFileTest, DamagedPagesAreFoundAtOpenAndTheFileMovedAside) {
    fs::path first = m_root.path();
    {
        auto key = Key::create(Root::CurrentUser, u"Data");
        ASSERT_TRUE(key);
        for (int i = 0; i < 200; ++i) key->key.set_string(to_u16("v" + std::to_string(i)), std::u16string(100, u'x'));
    }
    {
        // Using another root closes this one's connection, which folds its log into the file.
        testing::TempDeviceRoot elsewhere;
        ASSERT_TRUE(Key::create(Root::CurrentUser, u"Elsewhere"));
    }
    ASSERT_FALSE(fs::exists(first / "registry.db-wal")) << "the log should be folded in on close";
    damage_pages_of("vals");
    ASSERT_TRUE(set_device_root(first));

    EXPECT_NE(use_registry().find("damaged"), std::string::npos);
    EXPECT_EQ(moved_aside().size(), 1u);
    EXPECT_FALSE(Key::open(Root::CurrentUser, u"Data"));
}

TEST_F(RegistryFileTest, DamageFoundWhileRunningLeadsToAFreshRegistry) {
    fs::path first = m_root.path();
    {
        auto key = Key::create(Root::CurrentUser, u"Data");
        ASSERT_TRUE(key);
        for (int i = 0; i < 200; ++i) key->key.set_string(to_u16("v" + std::to_string(i)), std::u16string(100, u'x'));
    }
    {
        testing::TempDeviceRoot elsewhere;
        ASSERT_TRUE(Key::create(Root::CurrentUser, u"Elsewhere"));
    }
    ASSERT_TRUE(set_device_root(first));
    auto data = Key::open(Root::CurrentUser, u"Data");  // opened and checked while still sound
    ASSERT_TRUE(data);
    damage_pages_of("vals");
    // Someone else's write makes this connection drop its page cache and read the damaged
    // pages. (A registry user would check the file first, so the write is made raw.)
    make_database("INSERT INTO keys(parent, name, folded) VALUES (1, x'4100', x'6100')");

    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(data->get_string(u"v5")) << "a damaged page cannot be read";
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
    EXPECT_NE(use_registry().find("damaged"), std::string::npos) << "the next use checks and moves the file";
    EXPECT_EQ(moved_aside().size(), 1u);
}

// A second connection of the same process (the device runs the service library with a registry
// of its own) must not cost the first its lock: without it, another program closing its
// connection takes itself for the last one, checkpoints and removes the log the first still
// reads from, and the first then finds the registry damaged and moves it aside.
TEST_F(RegistryFileTest, OpeningAgainKeepsTheProcesssLockSoNoOtherProgramRemovesTheLog) {
    ASSERT_EQ(use_registry(), "");
    const fs::path log = registry_file().string() + "-wal";
    ASSERT_TRUE(fs::exists(log));
    sqlite3* again = detail::open_registry(m_root.path());
    ASSERT_NE(again, nullptr);
    sqlite3_close(again);
    auto other = testing::run_program("/usr/bin/sqlite3", { registry_file().string(), "SELECT count(*) FROM keys;" });
    ASSERT_EQ(other.exit_code, 0) << other.err;
    EXPECT_TRUE(fs::exists(log)) << "another program took itself for the registry's last user";
    EXPECT_EQ(use_registry(), "");
}

}  // namespace
}  // namespace zt::platform::registry
