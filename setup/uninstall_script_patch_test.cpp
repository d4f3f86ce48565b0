#include "setup/uninstall_script_patch.h"

#include <gtest/gtest.h>

namespace zt::setup {
namespace {

TEST(UninstallScriptPatch, NarrowsTheSharedKeysToThisProduct) {
    std::u16string script =
        u"<nocharacteristic type=\"HKLM\\Software\\Zunworks\"/>"
        u"<nocharacteristic type=\"HKCU\\Software\\Zunworks\"/>"
        u"<nocharacteristic type=\"HKLM\\Software\\Zunworks\"/>";
    EXPECT_EQ(patch_uninstall_script_text(script),
              u"<nocharacteristic type=\"HKLM\\Software\\Zunworks\\Zun Time\"/>"
              u"<nocharacteristic type=\"HKCU\\Software\\Zunworks\\Zun Time\"/>"
              u"<nocharacteristic type=\"HKLM\\Software\\Zunworks\\Zun Time\"/>");
}

TEST(UninstallScriptPatch, LeavesOtherTypesAndLongerPathsAlone) {
    // Only the attribute that is exactly the shared key is narrowed; a deeper key already is.
    std::u16string script =
        u"<nocharacteristic type=\"HKLM\\Software\\Zunworks\\Shared\"/>"
        u"<characteristic type=\"HKLM\\Software\\Zunworks\"/>";
    EXPECT_EQ(patch_uninstall_script_text(script), script);
}

TEST(UninstallScriptPatch, RedirectsTheSiblingProductName) {
    EXPECT_EQ(patch_uninstall_script_text(u"a Zun Weather b Zun Weather"), u"a Zun Time\\del_it b Zun Time\\del_it");
    EXPECT_EQ(patch_uninstall_script_text(u""), u"");
}

}  // namespace
}  // namespace zt::setup
