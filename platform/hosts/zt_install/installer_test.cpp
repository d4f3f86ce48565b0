// The installer's file steps with a package that has no setup library (the product's own
// package, with its library, is installed end to end in tests/install_e2e).
#include "platform/hosts/zt_install/installer.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <iterator>

#include "platform/base/device_path.h"
#include "platform/base/text.h"
#include "platform/hosts/zt_install/install_record.h"
#include "platform/testing/child_process.h"
#include "platform/testing/temp_device_root.h"
#include "platform/testing/temp_folder.h"

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

TEST_F(Installer, AnInstallationFolderOfTheDevicesOwnIsRefused) {
    // Removal deletes the installation folder: installing into "\Windows" would lose it.
    put("InstallDir/a.txt", "one");
    manifest("file\tInstallDir/a.txt\t%InstallDir%\\a.txt\n");
    for (std::u16string_view folder : { u"\\Windows", u"\\", u"\\Program Files", u"\\windows\\Start Menu" }) {
        const InstallReport report = install_package(m_package, folder);
        EXPECT_EQ(report.outcome, InstallOutcome::Failed) << utf16_to_utf8(folder);
        if (folder.size() > 1) {
            EXPECT_NE(report.message.find("device's own folders"), std::string::npos) << report.message;
        }
    }
    EXPECT_FALSE(read_install_record(u"Demo"));
    EXPECT_EQ(install_package(m_package, u"\\Apps\\Demo").outcome, InstallOutcome::Installed);
}

// A file outside the device that a hostile package or device entry aims at.
class InstallerAtTheBorder : public Installer {
protected:
    void SetUp() override {
        Installer::SetUp();
        ASSERT_FALSE(m_outside.path().empty());
    }
    InstallOutcome install() { return install_package(m_package, u"\\Program Files\\Demo").outcome; }
    testing::TempFolder m_outside { "zt-outside" };
};

TEST_F(InstallerAtTheBorder, LinksAreRefusedAtBothEnds) {
    put("InstallDir/a.txt", "one");
    manifest("file\tInstallDir/a.txt\t\\Windows\\planted.txt\n");
    // A dangling link at the destination: its target does not exist yet, so no check that
    // resolves paths can see where it leads.
    fs::create_directories(m_root.path() / "Windows");
    fs::create_symlink(m_outside / "planted.txt", m_root.path() / "Windows" / "planted.txt");
    EXPECT_EQ(install(), InstallOutcome::Failed);
    EXPECT_FALSE(fs::exists(m_outside / "planted.txt")) << "the installer wrote through a link out of the device";
    EXPECT_FALSE(read_install_record(u"Demo"));

    // A folder on the way that is a link (here to a folder inside the device).
    fs::create_directories(m_root.path() / "Real");
    fs::create_directory_symlink(m_root.path() / "Real", m_root.path() / "Via");
    manifest("file\tInstallDir/a.txt\t\\Via\\a.txt\n");
    EXPECT_EQ(install(), InstallOutcome::Failed);
    EXPECT_FALSE(fs::exists(m_root.path() / "Real" / "a.txt"));

    // Links in the package, for the file itself and for a folder above it.
    std::ofstream(m_outside / "secret") << "not for the device";
    fs::create_symlink(m_outside / "secret", m_package / "secret.txt");
    manifest("file\tsecret.txt\t%InstallDir%\\secret.txt\n");
    EXPECT_EQ(install(), InstallOutcome::Failed);
    fs::create_directory_symlink(m_outside.path(), m_package / "linked");
    manifest("file\tlinked/secret\t%InstallDir%\\secret.txt\n");
    EXPECT_EQ(install(), InstallOutcome::Failed);
    EXPECT_FALSE(device_has(u"\\Program Files\\Demo\\secret.txt"));

    // A FIFO in the package is refused at once instead of hanging the installer.
    ASSERT_EQ(mkfifo((m_package / "pipe").c_str(), 0600), 0);
    manifest("file\tpipe\t%InstallDir%\\pipe\n");
    EXPECT_EQ(install(), InstallOutcome::Failed);
}

TEST_F(InstallerAtTheBorder, SetIdBitsAreDroppedAndPermissionsKept) {
    put("Windows/tool._exe", "#!/bin/sh\n");
    ASSERT_EQ(chmod((m_package / "Windows" / "tool._exe").c_str(), 06755), 0);
    put("InstallDir/read-only.txt", "r");
    ASSERT_EQ(chmod((m_package / "InstallDir" / "read-only.txt").c_str(), 0444), 0);
    manifest("file\tWindows/tool._exe\t\\Windows\\tool._exe\nfile\tInstallDir/read-only.txt\t%InstallDir%\\r.txt\n");
    ASSERT_EQ(install(), InstallOutcome::Installed);
    struct stat info {};
    ASSERT_EQ(stat(map_device_path(u"\\Windows\\tool._exe")->c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0755u);
    ASSERT_EQ(install(), InstallOutcome::Upgraded) << "a read-only file of the old copy is replaced";
    ASSERT_EQ(stat(map_device_path(u"\\Program Files\\Demo\\r.txt")->c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0444u);
}

TEST_F(InstallerAtTheBorder, TheDevicesOwnStateIsNeverAPackageDestination) {
    ASSERT_TRUE(write_install_record(u"Probe", { u"\\Elsewhere", {}, {}, {} }));  // the registry exists now
    const std::string registry = device_text(u"\\registry.db");
    put("x", "overwritten");
    for (const char* destination : { "\\registry.db", "\\REGISTRY.DB-wal", "\\mxip_notify.vol", "\\device_clock",
                                     "\\zt-device.lock", "\\registry.lock", "\\notify_changes",
                                     "\\runtime_folder", "\\registry.db-shm\\inside" }) {
        manifest(std::string("file\tx\t") + destination + "\n");
        EXPECT_EQ(install(), InstallOutcome::Failed) << destination;
    }
    EXPECT_EQ(device_text(u"\\registry.db"), registry);
    EXPECT_FALSE(fs::exists(m_root.path() / "device_clock"));
    EXPECT_FALSE(fs::exists(m_root.path() / "mxip_notify.vol"));
}

TEST_F(InstallerAtTheBorder, AnotherApplicationsFilesAreNeitherTakenNorRemoved) {
    ASSERT_TRUE(write_install_record(
        u"Other", { u"\\Program Files\\Other", { u"\\Windows\\Ringout._exe", u"\\Windows\\shared.dll" },
                    u"\\Windows\\AppMgr\\Other.setup.so", { u"\\Windows\\Ringout.exe" } }));
    fs::create_directories(m_root.path() / "Windows");
    std::ofstream(m_root.path() / "Windows" / "Ringout.exe") << "theirs";
    put("x", "mine");
    for (const char* destination : { "\\Windows\\Ringout.exe", "\\windows\\RINGOUT._EXE", "\\Windows\\shared.dll",
                                     "\\Windows\\AppMgr\\Other.setup.so", "\\Windows\\x\\..\\Ringout.exe" }) {
        manifest(std::string("file\tx\t") + destination + "\n");
        EXPECT_EQ(install(), InstallOutcome::Failed) << destination;
    }
    EXPECT_EQ(device_text(u"\\Windows\\Ringout.exe"), "theirs");

    // A copy recorded before that rule (or by hand) names the other's file: removing it
    // still leaves the file to its owner.
    ASSERT_TRUE(write_install_record(u"Demo", { u"\\Program Files\\Demo", { u"\\Windows\\Ringout.exe" }, {}, {} }));
    EXPECT_EQ(remove_application(u"Demo").outcome, InstallOutcome::Removed);
    EXPECT_EQ(device_text(u"\\Windows\\Ringout.exe"), "theirs");
}

TEST_F(InstallerAtTheBorder, AnInstallationCutShortCanStillBeRemoved) {
    put("InstallDir/a.txt", "small");
    put("InstallDir/big.bin", std::string(4 << 20, 'b'));
    manifest("file\tInstallDir/a.txt\t%InstallDir%\\a.txt\nfile\tInstallDir/big.bin\t%InstallDir%\\big.bin\n");
    ASSERT_TRUE(write_install_record(u"Probe", { u"\\Elsewhere", {}, {}, {} }));  // the registry exists now
    const pid_t child = testing::fork_child([&] {
        // Killed by the kernel part-way through the big file, as a crash or power loss would.
        rlimit limit { 1 << 20, 1 << 20 };
        setrlimit(RLIMIT_FSIZE, &limit);
        install_package(m_package, u"\\Program Files\\Demo");
        return 0;
    });
    ASSERT_GT(testing::wait_child(child), 128) << "the installation was not cut short";
    ASSERT_TRUE(device_has(u"\\Program Files\\Demo\\a.txt"));
    auto record = read_install_record(u"Demo");
    ASSERT_TRUE(record) << "files were copied without a record of them";
    EXPECT_EQ(record->files.size(), 2u);
    EXPECT_EQ(remove_application(u"Demo").outcome, InstallOutcome::Removed);
    const fs::path folder = *map_device_path(u"\\Program Files\\Demo");
    EXPECT_TRUE(!fs::exists(folder) || fs::is_empty(folder)) << "the removal left the cut-short copy behind";
}

}  // namespace
}  // namespace zt::platform::install
