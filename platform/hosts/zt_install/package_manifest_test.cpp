#include "platform/hosts/zt_install/package_manifest.h"

#include <gtest/gtest.h>

namespace zt::platform::install {
namespace {

TEST(PackageManifest, ReadsApplicationSetupAndFiles) {
    auto manifest = parse_manifest("# comment\r\napp\tZun Time\nsetup\tSetup.dll\n\n"
                                   "file\tWindows/Ringout._exe\t\\Windows\\Ringout._exe\n"
                                   "file\tInstallDir/Black/BG.png\t%InstallDir%\\Black\\BG.png\n");
    ASSERT_TRUE(manifest);
    EXPECT_EQ(manifest->application, u"Zun Time");
    EXPECT_EQ(manifest->setup_library, "Setup.dll");
    ASSERT_EQ(manifest->files.size(), 2u);
    EXPECT_EQ(expand_destination(manifest->files[1].destination, u"\\Program Files\\Zun Time"),
              u"\\Program Files\\Zun Time\\Black\\BG.png");
    EXPECT_EQ(expand_destination(manifest->files[0].destination, u"\\X"), u"\\Windows\\Ringout._exe");
}

TEST(PackageManifest, RefusesLinesThatCouldReachOutsideOrMeanNothing) {
    struct Case { const char* text; int line; };
    for (const Case& bad : {
             Case { "app\tA\nfile\t../etc/passwd\t\\Windows\\x\n", 2 },
             Case { "app\tA\nfile\t/etc/passwd\t\\Windows\\x\n", 2 },
             Case { "app\tA\nfile\ta\tWindows\\x\n", 2 },   // destination not a device path
             Case { "app\tA\nfile\ta\t\\\n", 2 },
             Case { "app\tA\nfile\ta\n", 2 },
             Case { "app\tA\napp\tB\n", 2 },
             Case { "app\tA\nsetup\ta\nsetup\tb\n", 3 },
             Case { "copy\ta\tb\n", 1 },
             Case { "file\ta\t\\Windows\\a\n", 1 },  // no application name
             // The name becomes a registry key and a file name: no separators, nothing odd.
             Case { "app\tA\\..\\..\\registry.db\n", 1 },
             Case { "app\ta/b\n", 1 },
             Case { "app\t..\n", 1 },
             Case { "app\ta\x01\n", 1 },
         }) {
        ManifestError error;
        EXPECT_FALSE(parse_manifest(bad.text, &error)) << bad.text;
        EXPECT_EQ(error.line, bad.line) << bad.text;
    }
}

}  // namespace
}  // namespace zt::platform::install
