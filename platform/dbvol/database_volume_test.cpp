#include "platform/dbvol/database_volume.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <sys/stat.h>

#include <fstream>

#include "platform/dbvol/volume_check.h"
#include "platform/testing/temp_device_root.h"

namespace zt::platform::dbvol {
namespace {

std::vector<Property> app(std::u16string text, uint32_t extra = 0) {
    return { Property { 1, std::move(text) }, Property { 2, extra } };
}

class DatabaseVolumeTest : public ::testing::Test {
protected:
    testing::TempDeviceRoot root;
};

TEST_F(DatabaseVolumeTest, MissingVolumeOrDatabaseFailsWithoutCreatingAnything) {
    EXPECT_FALSE(Volume::mount_existing(u"mxip_notify.vol"));
    EXPECT_FALSE(std::filesystem::exists(root.path() / "mxip_notify.vol"));
    auto volume = Volume::mount_always(u"mxip_notify.vol");
    ASSERT_TRUE(volume);
    EXPECT_FALSE(Database::open(*volume, u"DB_notify_events"));
    ASSERT_TRUE(Database::create_or_open(*volume, u"DB_notify_events"));
    auto again = Volume::mount_existing(u"\\MXIP_NOTIFY.VOL");
    ASSERT_TRUE(again) << "a device path in another case names the same file";
    EXPECT_TRUE(Database::open(*again, u"db_notify_events"));
}

TEST_F(DatabaseVolumeTest, RefusesBadDatabaseNames) {
    auto volume = Volume::mount_always(u"x.vol");
    ASSERT_TRUE(volume);
    EXPECT_FALSE(Database::create_or_open(*volume, u""));
    EXPECT_FALSE(Database::create_or_open(*volume, u"sqlite_master"));
    EXPECT_FALSE(Database::create_or_open(*volume, std::u16string(33, u'a')));
    EXPECT_FALSE(Database::create_or_open(*volume, u"a\nb"));
    auto quoted = Database::create_or_open(*volume, u"odd \"name\"; DROP");
    ASSERT_TRUE(quoted) << "names are quoted, not pasted into SQL";
    EXPECT_TRUE(quoted->write_record(0, app(u"x")));
}

TEST_F(DatabaseVolumeTest, VisitsRecordsInStorageOrderAndReplacesInPlace) {
    auto volume = Volume::mount_always(u"v.vol");
    auto db = Database::create_or_open(*volume, u"DB");
    ASSERT_TRUE(db);
    auto a = db->write_record(0, app(u"a"));
    auto b = db->write_record(0, app(u"b"));
    auto c = db->write_record(0, app(u"c"));
    ASSERT_TRUE(a && b && c);
    ASSERT_EQ(db->write_record(*a, app(u"a2", 7)), a) << "replacing keeps the id";
    EXPECT_FALSE(db->write_record(9999, app(u"nowhere"))) << "an unknown id is not created";

    std::vector<std::u16string> seen;
    for (auto id = db->seek_first(); id; id = db->seek_next()) {
        auto props = db->read_current();
        ASSERT_TRUE(props);
        seen.push_back(std::get<std::u16string>((*props)[0].value));
    }
    EXPECT_EQ(seen, (std::vector<std::u16string> { u"a2", u"b", u"c" }));
    EXPECT_FALSE(db->seek_next()) << "past the end stays at the end";
}

TEST_F(DatabaseVolumeTest, DeletingTheVisitedRecordKeepsTheCursorGoing) {
    auto volume = Volume::mount_always(u"v.vol");
    auto db = Database::create_or_open(*volume, u"DB");
    for (auto text : { u"keep1", u"drop1", u"drop2", u"keep2", u"drop3" }) db->write_record(0, app(text));

    std::vector<std::u16string> kept;
    int deleted = 0;
    for (auto id = db->seek_first(); id; id = db->seek_next()) {
        auto text = db->text_property(*id, 1);
        ASSERT_TRUE(text);
        if (text->starts_with(u"drop")) {
            EXPECT_TRUE(db->delete_record(*id));
            ++deleted;
        } else {
            kept.push_back(*text);
        }
    }
    EXPECT_EQ(deleted, 3);
    EXPECT_EQ(kept, (std::vector<std::u16string> { u"keep1", u"keep2" }));
    EXPECT_EQ(db->record_count(), 2u);
    EXPECT_FALSE(db->delete_record(1'000)) << "deleting nothing reports false";
}

TEST_F(DatabaseVolumeTest, IdsAreNeverReusedAfterDeletion) {
    auto volume = Volume::mount_always(u"v.vol");
    auto db = Database::create_or_open(*volume, u"DB");
    auto first = db->write_record(0, app(u"a"));
    ASSERT_TRUE(first);
    ASSERT_TRUE(db->delete_record(*first));
    auto second = db->write_record(0, app(u"b"));
    ASSERT_TRUE(second);
    EXPECT_GT(*second, *first);
}

TEST_F(DatabaseVolumeTest, TextPropertyFindsTextByIdOnly) {
    auto volume = Volume::mount_always(u"v.vol");
    auto db = Database::create_or_open(*volume, u"DB");
    std::vector<Property> props { { 2, uint32_t { 5 } },
                                  { 1, std::u16string(u"\\windows\\x.exe") },
                                  { 4, int64_t { -3 } },
                                  { 6, std::vector<uint8_t> { 1, 2 } } };
    auto id = db->write_record(0, props);
    ASSERT_TRUE(id);
    EXPECT_EQ(db->text_property(*id, 1), u"\\windows\\x.exe");
    EXPECT_FALSE(db->text_property(*id, 2)) << "a number is not a text";
    EXPECT_FALSE(db->text_property(*id, 9));
    EXPECT_FALSE(db->text_property(*id + 1, 1));
    EXPECT_EQ(db->read_record(*id), props);
}

TEST_F(DatabaseVolumeTest, ConditionalDeleteKeepsARecordChangedMeanwhile) {
    auto volume = Volume::mount_always(u"v.vol");
    auto db = Database::create_or_open(*volume, u"DB");
    auto id = db->write_record(0, app(u"old"));
    ASSERT_TRUE(db->write_record(*id, app(u"new")));
    EXPECT_FALSE(db->delete_record_if_unchanged(*id, app(u"old")));
    EXPECT_TRUE(db->delete_record_if_unchanged(*id, app(u"new")));
}

TEST_F(DatabaseVolumeTest, DatabasesOfOneVolumeAreSeparate) {
    auto volume = Volume::mount_always(u"v.vol");
    auto one = Database::create_or_open(*volume, u"one");
    auto two = Database::create_or_open(*volume, u"two");
    one->write_record(0, app(u"1"));
    EXPECT_FALSE(two->seek_first());
    EXPECT_EQ(one->record_count(), 1u);
}

TEST_F(DatabaseVolumeTest, WritesAreSeenByAnotherMount) {
    auto writer = Volume::mount_always(u"v.vol");
    auto db = Database::create_or_open(*writer, u"DB");
    auto id = db->write_record(0, app(u"shared"));
    auto reader = Volume::mount_existing(u"v.vol");
    auto view = Database::open(*reader, u"DB");
    ASSERT_TRUE(view);
    EXPECT_EQ(view->text_property(*id, 1), u"shared");
}

TEST_F(DatabaseVolumeTest, GarbageFileIsRefusedAndLeftAlone) {
    auto path = root.path() / "mxip_notify.vol";
    std::string garbage(8192, '\x5a');
    std::ofstream(path, std::ios::binary) << garbage;
    EXPECT_FALSE(Volume::mount_existing(u"mxip_notify.vol"));
    EXPECT_FALSE(Volume::mount_always(u"mxip_notify.vol"));
    EXPECT_EQ(std::filesystem::file_size(path), garbage.size()) << "never overwritten";
}

TEST_F(DatabaseVolumeTest, ForeignSqliteDatabaseIsRefused) {
    auto path = root.path() / "other.vol";
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
    sqlite3_exec(db, "CREATE TABLE t(x)", nullptr, nullptr, nullptr);
    sqlite3_close(db);
    EXPECT_FALSE(Volume::mount_existing(u"other.vol"));
    EXPECT_FALSE(Volume::mount_always(u"other.vol"));
}

TEST_F(DatabaseVolumeTest, DamagedRecordIsSkippedNotFatal) {
    {
        auto volume = Volume::mount_always(u"v.vol");
        auto db = Database::create_or_open(*volume, u"DB");
        db->write_record(0, app(u"good1"));
        db->write_record(0, app(u"bad"));
        db->write_record(0, app(u"good2"));
    }
    sqlite3* raw = nullptr;
    ASSERT_EQ(sqlite3_open((root.path() / "v.vol").c_str(), &raw), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(raw, "UPDATE \"DB\" SET properties = x'0500ff' WHERE id = 2", nullptr, nullptr, nullptr),
              SQLITE_OK);
    sqlite3_close(raw);

    auto volume = Volume::mount_existing(u"v.vol");
    auto db = Database::open(*volume, u"DB");
    int readable = 0, unreadable = 0;
    for (auto id = db->seek_first(); id; id = db->seek_next()) {
        if (db->read_current()) ++readable; else ++unreadable;
    }
    EXPECT_EQ(readable, 2);
    EXPECT_EQ(unreadable, 1);
    EXPECT_FALSE(db->text_property(2, 1));
    EXPECT_TRUE(db->delete_record(2)) << "a damaged record can still be removed";
}

TEST_F(DatabaseVolumeTest, DiagnosisTellsDamageFromAbsenceAndSoundness) {
    EXPECT_EQ(diagnose_volume(u"v.vol").condition, VolumeCondition::Missing);
    {
        auto volume = Volume::mount_always(u"v.vol");
        ASSERT_TRUE(Database::create_or_open(*volume, u"DB")->write_record(0, app(u"x")));
        EXPECT_EQ(diagnose_volume(u"v.vol").condition, VolumeCondition::Sound) << "while mounted too";
    }
    EXPECT_EQ(diagnose_volume(u"V.VOL").condition, VolumeCondition::Sound);

    std::ofstream(root.path() / "garbage.vol", std::ios::binary) << std::string(8192, '\x5a');
    auto garbage = diagnose_volume(u"garbage.vol");
    EXPECT_EQ(garbage.condition, VolumeCondition::Damaged);
    EXPECT_FALSE(garbage.reason.empty());

    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open((root.path() / "other.vol").c_str(), &db), SQLITE_OK);
    sqlite3_exec(db, "CREATE TABLE t(x)", nullptr, nullptr, nullptr);
    sqlite3_close(db);
    EXPECT_EQ(diagnose_volume(u"other.vol").condition, VolumeCondition::Damaged);

    std::filesystem::create_directory(root.path() / "folder.vol");
    EXPECT_EQ(diagnose_volume(u"folder.vol").condition, VolumeCondition::Damaged);
    EXPECT_EQ(diagnose_volume(u"..\\..\\escape.vol").condition, VolumeCondition::Unreadable);
}

TEST_F(DatabaseVolumeTest, AShortGarbageFileIsNeverTakenForAnEmptyVolume) {
    auto path = root.path() / "short.vol";
    std::ofstream(path, std::ios::binary) << "not a volume at all";
    EXPECT_FALSE(Volume::mount_always(u"short.vol"));
    EXPECT_EQ(std::filesystem::file_size(path), 19u) << "never overwritten";
    EXPECT_EQ(diagnose_volume(u"short.vol").condition, VolumeCondition::Damaged);
}

TEST_F(DatabaseVolumeTest, ADatabaseMadeAfreshKeepsClearOfReservedIds) {
    auto volume = Volume::mount_always(u"v.vol");
    auto db = Database::create_or_open(*volume, u"DB", 40);
    ASSERT_TRUE(db);
    EXPECT_EQ(db->write_record(0, app(u"a")), 41u);
    auto again = Database::create_or_open(*volume, u"db", 100);
    ASSERT_TRUE(again);
    EXPECT_EQ(again->write_record(0, app(u"b")), 42u) << "an existing database keeps its own sequence";
}

TEST_F(DatabaseVolumeTest, ANewVolumeIsPrivateInAnOpenRoot) {
    ASSERT_EQ(chmod(root.path().c_str(), 0755), 0);
    mode_t old_mask = umask(022);
    {
        auto volume = Volume::mount_always(u"v.vol");
        ASSERT_TRUE(volume);
        ASSERT_TRUE(Database::create_or_open(*volume, u"DB")->write_record(0, app(u"x")));
        for (const char* name : { "v.vol", "v.vol-wal", "v.vol-shm" }) {
            struct stat info {};
            ASSERT_EQ(stat((root.path() / name).c_str(), &info), 0) << name;
            EXPECT_EQ(info.st_mode & 0777, 0600u) << name;
        }
    }
    umask(old_mask);
}

TEST_F(DatabaseVolumeTest, PathOutsideTheRootOrAFolderIsRefused) {
    EXPECT_FALSE(Volume::mount_always(u"..\\..\\escape.vol"));
    std::filesystem::create_directory(root.path() / "folder.vol");
    EXPECT_FALSE(Volume::mount_always(u"folder.vol"));
    EXPECT_FALSE(Volume::mount_always(u""));
}

}  // namespace
}  // namespace zt::platform::dbvol
