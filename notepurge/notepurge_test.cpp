#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "notepurge/notepurge_run.h"
#include "notepurge/stale_notification_purge.h"
#include "platform/dbvol/database_volume.h"
#include "platform/testing/temp_device_root.h"

namespace zt::notepurge {
namespace {

using zt::platform::dbvol::Database;
using zt::platform::dbvol::Property;
using zt::platform::dbvol::Volume;

class NotepurgeTest : public ::testing::Test {
protected:
    int run(std::u16string_view command_line, uint32_t version = 502) {
        return run_notepurge(command_line, version, [&](std::u16string_view text) { shown.emplace_back(text); });
    }

    void write_records(const std::vector<std::vector<Property>>& records) {
        auto volume = Volume::mount_always(kNotificationVolume);
        ASSERT_TRUE(volume);
        auto database = Database::create_or_open(*volume, kNotificationDatabase);
        ASSERT_TRUE(database);
        for (const auto& record : records) ASSERT_TRUE(database->write_record(0, record));
    }

    std::vector<std::u16string> remaining_applications() {
        std::vector<std::u16string> texts;
        auto volume = Volume::mount_existing(kNotificationVolume);
        auto database = volume ? Database::open(*volume, kNotificationDatabase) : std::nullopt;
        if (!database) return texts;
        for (auto id = database->seek_first(); id; id = database->seek_next()) {
            texts.push_back(database->text_property(*id, kApplicationProperty).value_or(u"<none>"));
        }
        return texts;
    }

    zt::platform::testing::TempDeviceRoot root;
    std::vector<std::u16string> shown;
};

TEST_F(NotepurgeTest, DeletesBothCaseVariantsOfTheStaleProgramAndKeepsEverythingElse) {
    write_records({
        { { 1, u"\\WINDOWS\\ZunTimeNotify.exe" }, { 2, uint32_t(2) } },
        { { 1, u"\\\\.\\Notifications\\NamedEvents\\ZunAlarmNotify" } },
        { { 2, uint32_t(1) }, { 1, u"\\windows\\zuntimenotify.exe" } },
        { { 1, u"\\windows\\zuntimenotify.exe.old" } },
        { { 1, uint32_t(7) } },
        { { 2, u"\\windows\\zuntimenotify.exe" } },
    });
    EXPECT_EQ(run(u""), 2);
    EXPECT_EQ(shown, (std::vector<std::u16string> { u"Done! 2 record(s) deleted." }));
    EXPECT_EQ(remaining_applications(), (std::vector<std::u16string> {
                                            u"\\\\.\\Notifications\\NamedEvents\\ZunAlarmNotify",
                                            u"\\windows\\zuntimenotify.exe.old", u"<none>", u"<none>" }))
        << "only property 1 text counts, order kept";
}

TEST_F(NotepurgeTest, WithoutTheVolumeNoMsgEndsSilentlyAndOtherwiseReportsZero) {
    EXPECT_EQ(run(u"NoMsg"), 0);
    EXPECT_TRUE(shown.empty());
    EXPECT_EQ(run(u"nomsg"), 0) << "the argument is case-sensitive";
    EXPECT_EQ(shown, (std::vector<std::u16string> { u"Done! 0 record(s) deleted." }));
    EXPECT_FALSE(Volume::mount_existing(kNotificationVolume)) << "no volume made";
}

TEST_F(NotepurgeTest, VolumeWithoutTheDatabaseIsNotAnError) {
    auto volume = Volume::mount_always(kNotificationVolume);
    ASSERT_TRUE(volume);
    ASSERT_TRUE(Database::create_or_open(*volume, u"other"));
    EXPECT_EQ(run(u"NoMsg"), 0);
}

TEST_F(NotepurgeTest, OldDeviceStopsBeforeTouchingTheDatabase) {
    write_records({ { { 1, u"\\windows\\zuntimenotify.exe" } } });
    EXPECT_EQ(run(u"", 399), kOldDeviceResult);
    EXPECT_EQ(shown, (std::vector<std::u16string> { u"Old device" }));
    EXPECT_EQ(run(u"NoMsg", 302), kOldDeviceResult);
    EXPECT_EQ(shown.size(), 1u);
    EXPECT_EQ(remaining_applications().size(), 1u);
    EXPECT_EQ(run(u"NoMsg", 400), 1) << "4.0 is new enough";
}

TEST_F(NotepurgeTest, ForeignFileInPlaceOfTheVolumeIsLeftAlone) {
    {
        std::FILE* file = std::fopen((root.path() / "mxip_notify.vol").c_str(), "w");
        ASSERT_TRUE(file);
        std::fputs("not a volume at all", file);
        std::fclose(file);
    }
    EXPECT_EQ(run(u"NoMsg"), 0);
    EXPECT_EQ(std::filesystem::file_size(root.path() / "mxip_notify.vol"), 19u);
}

}  // namespace
}  // namespace zt::notepurge
