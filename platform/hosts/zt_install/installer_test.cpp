// The installer's file steps with a package that has no setup library (the product's own
// package, with its library, is installed end to end in tests/install_e2e).
#include "platform/hosts/zt_install/installer.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "platform/base/device_path.h"
#include "platform/hosts/zt_install/install_record.h"
#include "platform/registry/testing/temp_device_root.h"

namespace zt::platform::install {
namespace {

namespace fs = std::filesystem;

class Installer : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(m_root.path().empty());
        m_package = m_root.path() / "package";  // beside the device's own folders, never mapped
        fs::create_directories(m_package);
    }
    void put(const std::string& relative, const std::string& text) {
        fs::create_directories((m_package / relative).parent_path());
        std::ofstream(m_package / relative, std::ios::binary) << text;
    }
    void manifest(const std::string& files) {
        std::ofstream(m_package / "manifest.txt") << "app\tDemo\n" << files;
    }
    static std::string device_text(std::u16string_view device_path) {
        std::ifstream in(*map_device_path(device_path), std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    }
    static bool device_has(std::u16string_view device_path) { return fs::exists(*map_device_path(device_path)); }

    testing::TempDeviceRoot m_root;
    fs::path m_package;
};

TEST_F(Installer, InstallsRecordsUpgradesAndRemoves) {
    put("InstallDir/a.txt", "one");
    put("Windows/b._exe", "two");
    manifest("file\tInstallDir/a.txt\t%InstallDir%\\a.txt\nfile\tWindows/b._exe\t\\Windows\\b._exe\n");
    EXPECT_EQ(install_package(m_package, u"\\Program Files\\Demo\\").outcome, InstallOutcome::Installed);
    EXPECT_EQ(device_text(u"\\Program Files\\Demo\\a.txt"), "one");
    EXPECT_EQ(device_text(u"\\Windows\\b._exe"), "two");
    auto record = read_install_record(u"Demo");
    ASSERT_TRUE(record);
    EXPECT_EQ(record->installation_folder, u"\\Program Files\\Demo");
    EXPECT_EQ(record->files.size(), 2u);

    // The new version drops b: the upgrade removes the old copy's files first.
    put("InstallDir/a.txt", "three");
    manifest("file\tInstallDir/a.txt\t%InstallDir%\\a.txt\n");
    EXPECT_EQ(install_package(m_package, u"\\Program Files\\Demo").outcome, InstallOutcome::Upgraded);
    EXPECT_EQ(device_text(u"\\Program Files\\Demo\\a.txt"), "three");
    EXPECT_FALSE(device_has(u"\\Windows\\b._exe"));

    EXPECT_EQ(remove_application(u"Demo").outcome, InstallOutcome::Removed);
    EXPECT_FALSE(device_has(u"\\Program Files\\Demo\\a.txt"));
    EXPECT_FALSE(read_install_record(u"Demo"));
    EXPECT_EQ(remove_application(u"Demo").outcome, InstallOutcome::NotInstalled);
}

TEST_F(Installer, ABrokenPackageChangesNothingOnTheDevice) {
    put("InstallDir/a.txt", "one");
    manifest("file\tInstallDir/a.txt\t%InstallDir%\\a.txt\nfile\tInstallDir/missing\t%InstallDir%\\missing\n");
    EXPECT_EQ(install_package(m_package, u"\\Program Files\\Demo").outcome, InstallOutcome::Failed);
    EXPECT_FALSE(device_has(u"\\Program Files\\Demo\\a.txt"));
    EXPECT_FALSE(read_install_record(u"Demo"));

    manifest("file\tInstallDir/a.txt\t\\..\\..\\escape.txt\n");
    EXPECT_EQ(install_package(m_package, u"\\Program Files\\Demo").outcome, InstallOutcome::Failed);

    std::ofstream(m_package / "manifest.txt") << "app\tDemo\nsetup\tnot-a-library.so\n";
    put("not-a-library.so", "garbage");
    EXPECT_EQ(install_package(m_package, u"\\Program Files\\Demo").outcome, InstallOutcome::Failed);
    EXPECT_FALSE(read_install_record(u"Demo"));
}

}  // namespace
}  // namespace zt::platform::install
