#include <gtest/gtest.h>

#include "platform/base/device_root.h"
#include "skins/skin_manager.h"
#include "skins/testing/skin_fixture.h"

namespace zt::skins {
namespace {

using platform::registry::Key;
using platform::registry::Root;
using testing::SkinDeviceTest;

class SkinRemovalTest : public SkinDeviceTest {
protected:
    void SetUp() override {
        SkinDeviceTest::SetUp();
        add_skin(u"Default");
        add_file(u"Default", u"Clock.png");
    }
    bool folder_exists(const std::u16string& skin) {
        return std::filesystem::is_directory(host(std::u16string(testing::kInstallFolder) + skin));
    }
    bool folder_empty(const std::u16string& skin) {
        return std::filesystem::is_empty(host(std::u16string(testing::kInstallFolder) + skin));
    }
};

TEST_F(SkinRemovalTest, DefaultSkinAndUnknownNamesCannotBeRemoved) {
    CSkinManager skins({ false, 5 });
    EXPECT_FALSE(skins.remove_skin(u"DEFAULT"));
    EXPECT_TRUE(skins_value(u"Default"));
    EXPECT_TRUE(has_file(u"Default", u"Clock.png"));
    EXPECT_FALSE(skins.remove_skin(u"Unknown"));
    register_skin(u"Blank", u"");
    EXPECT_FALSE(skins.remove_skin(u"Blank"));
}

TEST_F(SkinRemovalTest, BuiltInSkinLosesValueAndFilesButKeepsAnEmptyFolder) {
    for (int generation : { 2, 5 }) {
        add_skin(u"Black");
        add_file(u"Black", u"Clock.png");
        add_file(u"Black", u"sub\\deep.png");
        auto locked = host(u"\\Program Files\\Zun Time\\Black\\Clock.png");
        std::filesystem::permissions(locked, std::filesystem::perms::owner_read);  // read-only
        CSkinManager skins({ false, generation });
        EXPECT_TRUE(skins.remove_skin(u"Black"));
        EXPECT_FALSE(skins_value(u"Black")) << "generation " << generation;
        EXPECT_TRUE(folder_exists(u"Black"));
        EXPECT_TRUE(folder_empty(u"Black")) << "generation " << generation;
    }
}

TEST_F(SkinRemovalTest, InstalledSkinOnNewerSystemsOnlyLosesItsRole) {
    add_skin(u"Ocean");
    add_file(u"Ocean", u"Clock.png");
    auto record = Key::create(Root::LocalMachine, u"Security\\AppInstall\\Zun Time Ocean Skin");
    ASSERT_TRUE(record);
    record->key.set_string(u"Role", u"User");
    record->key.set_string(u"InstallDir", u"x");
    CSkinManager skins({ false, 4 });
    EXPECT_TRUE(skins.remove_skin(u"Ocean"));
    auto after = Key::open(Root::LocalMachine, u"Security\\AppInstall\\Zun Time Ocean Skin");
    ASSERT_TRUE(after);
    EXPECT_FALSE(after->get_string(u"Role"));
    EXPECT_TRUE(after->get_string(u"InstallDir"));
    EXPECT_TRUE(skins_value(u"Ocean")) << "the package's own removal takes the rest";
    EXPECT_TRUE(has_file(u"Ocean", u"Clock.png"));
}

TEST_F(SkinRemovalTest, InstalledSkinOnOlderSystemsGoesWithItsRecords) {
    add_skin(u"Ocean");
    add_file(u"Ocean", u"Clock.png");
    // Only the second installation name exists.
    auto record = Key::create(Root::LocalMachine, u"SOFTWARE\\Apps\\Ocean Time Skin\\Sub");
    ASSERT_TRUE(record);
    ASSERT_TRUE(testing::write_bytes(host(u"\\Windows\\Ocean Time Skin.unload"), { 1 }));
    CSkinManager skins({ false, 3 });
    EXPECT_TRUE(skins.remove_skin(u"Ocean"));
    EXPECT_FALSE(skins_value(u"Ocean"));
    EXPECT_FALSE(folder_exists(u"Ocean"));
    EXPECT_FALSE(Key::open(Root::LocalMachine, u"SOFTWARE\\Apps\\Ocean Time Skin"));
    EXPECT_FALSE(std::filesystem::exists(host(u"\\Windows\\Ocean Time Skin.unload")));
}

TEST_F(SkinRemovalTest, HostileFolderValuesNeverWipeTheDevice) {
    register_skin(u"Evil", u"\\");
    register_skin(u"Sneaky", u"\\Program Files");
    CSkinManager skins({ false, 2 });
    skins.build_skin_list(SkinConsumer::Any);
    EXPECT_TRUE(skins.remove_skin(u"Evil"));
    EXPECT_TRUE(skins.remove_skin(u"Sneaky"));
    EXPECT_TRUE(has_file(u"Default", u"Clock.png"));
    EXPECT_FALSE(skins_value(u"Evil"));
}

TEST_F(SkinRemovalTest, PruneOnSmallScreensDeletesVgaFilesAndEmptiedSkins) {
    add_skin(u"Black");
    add_file(u"Black", u"Clock_vga.png");
    add_file(u"Black", u"Digits_VGA.zip");
    add_skin(u"White");
    add_file(u"White", u"Clock_vga.png");
    add_file(u"White", u"vga.png");
    add_file(u"White", u"Clock.png");
    add_file(u"White", u"notes_vga.txt");
    add_skin(u"Hollow");
    add_file(u"Default", u"BG_vga.png");
    CSkinManager skins({ false, 5 });
    skins.prune_high_resolution_files();
    EXPECT_FALSE(skins_value(u"Black")) << "a skin of only _vga images is removed";
    EXPECT_TRUE(folder_exists(u"Black")) << "built-in: its folder stays, empty";
    EXPECT_TRUE(folder_empty(u"Black"));
    EXPECT_TRUE(skins_value(u"White"));
    EXPECT_FALSE(has_file(u"White", u"Clock_vga.png"));
    EXPECT_TRUE(has_file(u"White", u"vga.png")) << "a 3-character base name is not a _vga file";
    EXPECT_TRUE(has_file(u"White", u"Clock.png"));
    EXPECT_TRUE(has_file(u"White", u"notes_vga.txt")) << "only images are listed";
    EXPECT_TRUE(skins_value(u"Hollow")) << "an installed skin without images keeps its value (newer system)";
    EXPECT_TRUE(skins_value(u"Default"));
    EXPECT_FALSE(has_file(u"Default", u"BG_vga.png"));
}

TEST_F(SkinRemovalTest, PruneDoesNothingOnHighResolutionScreens) {
    add_skin(u"Black");
    add_file(u"Black", u"Clock_vga.png");
    CSkinManager skins({ true, 5 });
    skins.prune_high_resolution_files();
    EXPECT_TRUE(has_file(u"Black", u"Clock_vga.png"));
    EXPECT_TRUE(skins_value(u"Black"));
}

TEST(SkinOptionsPage, RemoveRulesAndTheirMessages) {
    EXPECT_EQ(check_skin_removal(u"black", u"Black", u"default"), SkinRemovalCheck::CurrentSkin);
    EXPECT_EQ(check_skin_removal(u"WHITE", u"Black", u"white"), SkinRemovalCheck::CurrentSkin) << "the Today skin counts";
    EXPECT_EQ(check_skin_removal(u"Default", u"Black", u"White"), SkinRemovalCheck::DefaultSkin);
    EXPECT_EQ(check_skin_removal(u"Ocean", u"Black", u"White"), SkinRemovalCheck::AskConfirmation);
    EXPECT_EQ(skin_removal_message(SkinRemovalCheck::CurrentSkin, u"x"), u"You cannot remove current skin!");
    EXPECT_EQ(skin_removal_message(SkinRemovalCheck::DefaultSkin, u"x"), u"You cannot remove the default skin!");
    EXPECT_EQ(skin_removal_message(SkinRemovalCheck::AskConfirmation, u"Ocean"),
              u"Are you sure you want to remove the Ocean skin?");
}

}  // namespace
}  // namespace zt::skins
