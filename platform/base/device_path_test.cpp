#include "platform/base/device_path.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <fstream>

#include "platform/base/device_folders.h"
#include "platform/base/device_root.h"
#include "platform/base/text.h"
#include "platform/testing/temp_device_root.h"
#include "platform/testing/temp_folder.h"

namespace zt::platform {
namespace {
namespace fs = std::filesystem;

class DevicePath : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(base_.path().empty());
        root_ = fs::canonical(base_.path()) / "root";
        fs::create_directories(root_ / "Windows");
        fs::create_directories(root_ / "My Documents");
        std::ofstream(root_ / "Windows" / "Ringout.exe") << "x";
    }
    testing::TempFolder base_ { "zt-path-test" };
    fs::path root_;
};

TEST_F(DevicePath, MapsExactNamesUnderTheRoot) {
    EXPECT_EQ(map_device_path(u"\\Windows\\Ringout.exe", root_), root_ / "Windows" / "Ringout.exe");
    EXPECT_EQ(map_device_path(u"/Windows/Ringout.exe", root_), root_ / "Windows" / "Ringout.exe");
    EXPECT_EQ(map_device_path(u"Windows\\Ringout.exe", root_), root_ / "Windows" / "Ringout.exe");
    EXPECT_EQ(map_device_path(u"\\", root_), root_);
}

TEST_F(DevicePath, MatchesComponentsWithoutRegardToCase) {
    EXPECT_EQ(map_device_path(u"\\windows\\RINGOUT.EXE", root_), root_ / "Windows" / "Ringout.exe");
    EXPECT_EQ(map_device_path(u"\\my documents\\Laps000.txt", root_), root_ / "My Documents" / "Laps000.txt");
}

TEST_F(DevicePath, ExactNameWinsOverACaseVariant) {
    std::ofstream(root_ / "Windows" / "ringout.exe") << "y";
    EXPECT_EQ(map_device_path(u"\\Windows\\ringout.exe", root_), root_ / "Windows" / "ringout.exe");
    EXPECT_EQ(map_device_path(u"\\Windows\\Ringout.exe", root_), root_ / "Windows" / "Ringout.exe");
}

TEST_F(DevicePath, MissingComponentsAreKeptAsWritten) {
    EXPECT_EQ(map_device_path(u"\\Program Files\\Zun Time\\ZunTime.exe", root_),
              root_ / "Program Files" / "Zun Time" / "ZunTime.exe");
}

TEST_F(DevicePath, RefusesToClimbOutOfTheRoot) {
    EXPECT_FALSE(map_device_path(u"\\..\\etc\\passwd", root_));
    EXPECT_FALSE(map_device_path(u"\\Windows\\..\\..\\x", root_));
    EXPECT_EQ(map_device_path(u"\\Windows\\..\\My Documents", root_), root_ / "My Documents");
}

TEST_F(DevicePath, RefusesSymlinksThatLeadOut) {
    fs::create_directory_symlink(base_.path(), root_ / "Out");
    fs::create_symlink("/etc/passwd", root_ / "Windows" / "passwd");
    EXPECT_FALSE(map_device_path(u"\\out", root_));
    EXPECT_FALSE(map_device_path(u"\\Out\\elsewhere.txt", root_));
    // Out and back in again ends inside the root, which is harmless.
    EXPECT_EQ(map_device_path(u"\\Out\\root\\Windows", root_), root_ / "Out" / "root" / "Windows");
    EXPECT_FALSE(map_device_path(u"\\Windows\\passwd", root_));
    fs::create_directory_symlink(root_ / "Windows", root_ / "Win");
    EXPECT_TRUE(map_device_path(u"\\Win\\Ringout.exe", root_));
}

TEST_F(DevicePath, RefusesEmbeddedNul) {
    std::u16string bad = u"\\Windows\\a";
    bad.push_back(u'\0');
    EXPECT_FALSE(map_device_path(bad, root_));
}

TEST_F(DevicePath, HostFilesMapBackToDevicePaths) {
    EXPECT_EQ(to_device_path(root_ / "Windows" / "Ringout.exe", root_), u"\\Windows\\Ringout.exe");
    EXPECT_EQ(to_device_path(root_, root_), u"\\");
    EXPECT_FALSE(to_device_path(base_.path(), root_));
    EXPECT_FALSE(to_device_path("/etc/passwd", root_));
}

TEST_F(DevicePath, UsesTheProcessDeviceRootByDefault) {
    ASSERT_TRUE(set_device_root(root_));
    EXPECT_EQ(device_root(), root_);
    EXPECT_EQ(map_device_path(u"\\windows"), root_ / "Windows");
    EXPECT_EQ(std::string(getenv("ZT_ROOT")), root_.string());
}

TEST_F(DevicePath, OnlyFoldersThatHoldNoneOfTheDevicesOwnMayBeDeletedWhole) {
    ASSERT_TRUE(set_device_root(root_));
    fs::create_directories(root_ / "Program Files" / "Zun Time");
    fs::create_directories(root_ / "Windows" / "Start Menu");
    fs::create_directory_symlink(root_ / "Windows", root_ / "Program Files" / "Shortcut");
    for (std::u16string_view refused : { u"\\", u"", u"\\Windows", u"\\windows\\", u"\\Windows\\Start Menu",
                                         u"\\Program Files", u"/My Documents", u"\\Program Files\\Zun Time\\..",
                                         u"\\Program Files\\Shortcut", u"\\..\\..", u"\\Program Files\\..\\.." })
        EXPECT_TRUE(is_protected_device_folder(refused)) << utf16_to_utf8(refused);
    for (std::u16string_view allowed : { u"\\Program Files\\Zun Time", u"\\Program Files\\Not There Yet",
                                         u"\\My Documents\\Games", u"\\Apps" })
        EXPECT_FALSE(is_protected_device_folder(allowed)) << utf16_to_utf8(allowed);
}

TEST(DeviceRuntimeDir, IsPrivateAndDiffersPerRoot) {
    testing::TempDeviceRoot a;
    auto first = device_runtime_dir();
    testing::TempDeviceRoot b;
    auto second = device_runtime_dir();
    EXPECT_FALSE(first.empty());
    EXPECT_NE(first, second);
    EXPECT_EQ(fs::status(second).permissions() & fs::perms::all, fs::perms::owner_all);
    EXPECT_LT(second.string().size(), 80u);  // room for socket names within sun_path
}

}  // namespace
}  // namespace zt::platform
