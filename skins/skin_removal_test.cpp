#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>

#include "platform/base/device_root.h"
#include "platform/base/text.h"
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

// A device as the package lays it out, with what removing a skin must never touch.
class SkinFolderSafetyTest : public SkinRemovalTest {
protected:
    void SetUp() override {
        SkinRemovalTest::SetUp();
        add_skin(u"White");
        add_file(u"White", u"Clock.png");
        for (const char16_t* file : kKept) ASSERT_TRUE(testing::write_bytes(host(file), { 7 }));
    }
    // Names every kept file that is gone.
    std::string lost() {
        std::string gone;
        for (const char16_t* file : kKept)
            if (!std::filesystem::exists(host(file))) gone += platform::utf16_to_utf8(file) + " ";
        return gone;
    }
    static constexpr const char16_t* kKept[] = {
        u"\\Windows\\Ringout.exe",
        u"\\Windows\\ZunTimeService.dll",
        u"\\Windows\\Notepurge.exe",
        u"\\Windows\\PegHelp.exe",
        u"\\Windows\\ZunTimeSetup.dll",
        u"\\Windows\\Start Menu\\Programs\\Zun Time.lnk",
        u"\\Program Files\\Zun Time\\ZunTime.exe",
        u"\\Program Files\\Zun Time\\TimeCitiesDB.dat",
        u"\\Program Files\\Zun Time\\sounds\\ZunAlarm1.wav",
        u"\\Program Files\\Zun Time\\Default\\Clock.png",
        u"\\Program Files\\Zun Time\\White\\Clock.png",
        u"\\Program Files\\Other App\\logo.png",
        u"\\My Documents\\photo.jpg",
    };
};

TEST_F(SkinFolderSafetyTest, ASkinValueNamingWindowsDeletesNothingAtASmallScreensStart) {
    register_skin(u"Black", u"\\Windows");
    CSkinManager skins({ false, 5 });
    skins.set_installation_folder(testing::kInstallFolder);
    skins.prune_high_resolution_files();
    EXPECT_EQ(lost(), "");
    EXPECT_FALSE(skins_value(u"Black")) << "the image-less skin is still removed from the list";
    EXPECT_TRUE(skins_value(u"White"));
}

TEST_F(SkinFolderSafetyTest, HostileFoldersAreNeverDeleted) {
    std::filesystem::create_directories(host(u"\\Program Files\\Zun Time\\Images"));
    std::filesystem::create_directory_symlink(host(u"\\Windows"), host(u"\\Program Files\\Zun Time\\Link"));
    const std::u16string hostile[] = {
        u"\\Windows", u"\\WINDOWS\\", u"/Windows", u"\\Windows\\Start Menu", u"\\Windows\\Start Menu\\Programs",
        u"\\", u"/", u".", u"\\Program Files", u"\\Program Files\\Zun Time", u"\\Program Files\\Zun Time\\.",
        u"\\Program Files\\Zun Time\\sounds", u"\\Program Files\\Zun Time\\Default", u"\\Program Files\\Zun Time\\white",
        u"\\Program Files\\Zun Time\\Black\\..", u"\\Program Files\\Zun Time\\Images\\..\\..\\Other App",
        u"\\Program Files\\Other App", u"\\My Documents", u"\\Program Files\\Zun Time\\Link",
        u"\\Program Files\\Zun Time\\..\\..\\Windows", u"..\\..\\..",
    };
    for (const bool installation_known : { false, true }) {
        for (const std::u16string& folder : hostile) {
            for (const char16_t* name : { u"Black", u"Ocean" }) {
                register_skin(name, folder);
                CSkinManager skins({ false, 2 });
                if (installation_known) skins.set_installation_folder(testing::kInstallFolder);
                skins.remove_skin(name);
                ASSERT_EQ(lost(), "") << "skin " << platform::utf16_to_utf8(name) << " at " << platform::utf16_to_utf8(folder);
            }
        }
    }
    EXPECT_TRUE(std::filesystem::is_symlink(host(u"\\Program Files\\Zun Time\\Link")));
}

TEST_F(SkinFolderSafetyTest, OnlyAFolderOfSkinImagesInsideTheInstallationGoes) {
    // Every built-in skin at its installed place, with images in a sub-folder too.
    for (const char16_t* name : { u"Black", u"ZunSilver", u"Default_big", u"Wins" }) {
        add_skin(name);
        add_file(name, u"Clock.PNG");
        add_file(name, u"Pruned_vga\\Clock_vga.png");
        add_file(name, u"BG.zip");
        CSkinManager skins({ false, 5 });
        skins.set_installation_folder(testing::kInstallFolder);
        EXPECT_TRUE(skins.remove_skin(name));
        EXPECT_TRUE(folder_exists(name) && folder_empty(name)) << platform::utf16_to_utf8(name);
    }
    // A file that is not a skin image makes the folder not plainly the skin's.
    add_skin(u"Black");
    add_file(u"Black", u"Clock.png");
    add_file(u"Black", u"notes.txt");
    CSkinManager skins({ false, 5 });
    EXPECT_TRUE(skins.remove_skin(u"Black"));
    EXPECT_FALSE(skins_value(u"Black"));
    EXPECT_TRUE(has_file(u"Black", u"Clock.png") && has_file(u"Black", u"notes.txt")) << "left alone";
    // An installed skin outside the installation folder keeps its folder.
    register_skin(u"Ocean", u"\\Storage Card\\Ocean");
    ASSERT_TRUE(testing::write_bytes(host(u"\\Storage Card\\Ocean\\Clock.png"), { 1 }));
    CSkinManager older({ false, 2 });
    older.set_installation_folder(testing::kInstallFolder);
    EXPECT_TRUE(older.remove_skin(u"Ocean"));
    EXPECT_TRUE(std::filesystem::exists(host(u"\\Storage Card\\Ocean\\Clock.png")));
    // An installation folder at the top of the device opens nothing.
    add_skin(u"Black");
    add_file(u"Black", u"Clock.png");
    CSkinManager rooted({ false, 5 });
    rooted.set_installation_folder(u"\\");
    rooted.remove_skin(u"Black");
    EXPECT_TRUE(has_file(u"Black", u"Clock.png"));
    EXPECT_EQ(lost(), "");
}

TEST_F(SkinFolderSafetyTest, ASkinNameWithAPathReachesNoOtherRecord) {
    ASSERT_TRUE(testing::write_bytes(host(u"\\Windows\\Other\\App Time Skin.unload"), { 1 }));
    auto record = Key::create(Root::LocalMachine, u"SOFTWARE\\Apps\\Other\\App Time Skin");
    ASSERT_TRUE(record);
    add_skin(u"Other\\App");
    CSkinManager skins({ false, 2 });
    skins.remove_skin(u"Other\\App");
    EXPECT_TRUE(std::filesystem::exists(host(u"\\Windows\\Other\\App Time Skin.unload")));
    EXPECT_TRUE(Key::open(Root::LocalMachine, u"SOFTWARE\\Apps\\Other\\App Time Skin"));
}

TEST_F(SkinRemovalTest, PruneOnSmallScreensSetsVgaFilesAsideAndRemovesImagelessSkins) {
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
    add_skin(u"Wins");  // no images at all
    CSkinManager skins({ false, 5 });
    skins.prune_high_resolution_files();
    EXPECT_FALSE(skins_value(u"Wins")) << "a skin without images is removed";
    EXPECT_TRUE(folder_exists(u"Wins")) << "built-in: its folder stays, empty";
    EXPECT_TRUE(folder_empty(u"Wins"));
    EXPECT_TRUE(skins_value(u"Black")) << "a skin of only _vga images keeps them, set aside";
    EXPECT_FALSE(has_file(u"Black", u"Clock_vga.png"));
    EXPECT_TRUE(has_file(u"Black", u"Pruned_vga\\Clock_vga.png"));
    EXPECT_TRUE(has_file(u"Black", u"Pruned_vga\\Digits_VGA.zip"));
    const std::vector<std::u16string> offered = skins.build_skin_list(SkinConsumer::MainProgram);
    EXPECT_EQ(std::count(offered.begin(), offered.end(), u"Black"), 0) << "a skin whose images are all aside is not offered";
    EXPECT_EQ(std::count(offered.begin(), offered.end(), u"White"), 1);
    EXPECT_TRUE(skins_value(u"White"));
    EXPECT_FALSE(has_file(u"White", u"Clock_vga.png"));
    EXPECT_TRUE(has_file(u"White", u"vga.png")) << "a 3-character base name is not a _vga file";
    EXPECT_TRUE(has_file(u"White", u"Clock.png"));
    EXPECT_TRUE(has_file(u"White", u"notes_vga.txt")) << "only images are listed";
    EXPECT_TRUE(skins_value(u"Hollow")) << "an installed skin without images keeps its value (newer system)";
    EXPECT_TRUE(skins_value(u"Default"));
    EXPECT_FALSE(has_file(u"Default", u"BG_vga.png"));
}

TEST_F(SkinRemovalTest, PrunedImagesComeBackAtTheNextHighResolutionStart) {
    add_skin(u"Black");
    add_file(u"Black", u"Clock_vga.png", { 1 });
    add_skin(u"White");
    add_file(u"White", u"Clock.png");
    add_file(u"White", u"Clock_vga.png", { 2 });
    add_file(u"White", u"BG_vga.zip", { 3 });
    CSkinManager small({ false, 5 });
    small.prune_high_resolution_files();
    small.prune_high_resolution_files();  // a second small start
    EXPECT_TRUE(skins_value(u"Black")) << "images kept aside count as the skin's own";
    ASSERT_TRUE(has_file(u"Black", u"Pruned_vga\\Clock_vga.png"));
    // Meanwhile a newer BG_vga.zip arrived in White; it must win over the kept one.
    add_file(u"White", u"BG_vga.zip", { 9 });

    CSkinManager large({ true, 5 });
    large.prune_high_resolution_files();
    large.restore_high_resolution_files();
    const auto bytes = [&](const std::u16string& skin, const std::u16string& file) {
        std::ifstream in(host(std::u16string(testing::kInstallFolder) + skin + u"\\" + file), std::ios::binary);
        return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
    };
    EXPECT_EQ(bytes(u"Black", u"Clock_vga.png"), std::vector<uint8_t> { 1 });
    EXPECT_EQ(bytes(u"White", u"Clock_vga.png"), std::vector<uint8_t> { 2 });
    EXPECT_EQ(bytes(u"White", u"BG_vga.zip"), std::vector<uint8_t> { 9 }) << "the file already there wins";
    EXPECT_FALSE(has_file(u"Black", u"Pruned_vga")) << "an emptied aside folder goes";
    EXPECT_TRUE(has_file(u"White", u"Pruned_vga\\BG_vga.zip")) << "what could not go back is kept";
    const std::vector<std::u16string> offered = large.build_skin_list(SkinConsumer::MainProgram);
    EXPECT_EQ(std::count(offered.begin(), offered.end(), u"Black"), 1) << "offered again";
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
