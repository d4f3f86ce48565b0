// The committed gallery is what scripts/gallery.sh makes now: a few pictures of one size and
// skin made again on a fresh device and compared by decoded pixels, as the painter and the
// palette may place a few edge pixels differently on another run.
#include <gtest/gtest.h>

#include <QImage>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "data/skins/tests/decoded_compare.h"
#include "platform/testing/run_program.h"
#include "platform/testing/temp_folder.h"
#include "tests/app_e2e/device_bridge.h"

namespace zt::e2e {
namespace {

namespace fs = std::filesystem;
using zt::platform::testing::ProgramResult;

const fs::path kScript = fs::path(ZT_SOURCE_ROOT) / "scripts" / "gallery.sh";
const fs::path kCommitted = fs::path(ZT_SOURCE_ROOT) / "docs" / "gallery";
constexpr std::chrono::seconds kScriptLimit { 100 };

ProgramResult gallery(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), { "ZT_BUILD_DIR=" ZT_BUILD_DIR, kScript.string() });
    return zt::platform::testing::run_program("/usr/bin/env", arguments, {}, kScriptLimit);
}

// A main screen, a held menu, a dialog page and another program's screen.
const std::vector<std::string> kChecked { "world-time", "analog-clock-menu", "options-alarms", "today" };

TEST(Gallery, PicturesMadeAgainMatchTheCommittedOnes) {
    zt::platform::testing::TempFolder out("zt-gallery");
    std::string names;
    for (const std::string& name : kChecked) names += (names.empty() ? "" : ",") + name;
    const ProgramResult run = gallery({ "--out", out.path().string(), "--size", "240x320", "--skin", "Default", "--only", names });
    ASSERT_EQ(run.exit_code, 0) << run.out << run.err;

    for (const std::string& name : kChecked) {
        SCOPED_TRACE(name);
        const fs::path committed = kCommitted / "Default" / "240x320" / (name + ".png");
        const fs::path made = out / "Default" / "240x320" / (name + ".png");
        ASSERT_TRUE(fs::exists(committed)) << committed << " is not committed (scripts/gallery.sh makes it)";
        const QImage a(QString::fromStdString(made.string())), b(QString::fromStdString(committed.string()));
        ASSERT_FALSE(a.isNull()) << "the script made no picture " << made;
        ASSERT_EQ(a.size(), b.size());
        const auto difference = zt::skinart::compare_decoded(made, committed);
        // Nearly every pixel within the palette's rounding: a moved hand, another text or
        // another layout differs in far more.
        EXPECT_GT(share_alike(a, b, a.rect(), {}, 24, 1), 0.99)
            << difference.differing << " pixels differ, the most at " << difference.where.x() << "," << difference.where.y()
            << ": made " << zt::skinart::hex(difference.made) << ", committed " << zt::skinart::hex(difference.committed)
            << "; run scripts/gallery.sh when the change is meant";
    }
}

TEST(Gallery, ARunThatMakesNothingOrIsAskedWronglyFailsAndSaysWhy) {
    zt::platform::testing::TempFolder out("zt-gallery");
    const ProgramResult unknown = gallery({ "--out", out.path().string(), "--size", "240x320", "--skin", "Default", "--only", "no-such-screen" });
    EXPECT_EQ(unknown.exit_code, 1);
    EXPECT_NE(unknown.err.find("no-such-screen"), std::string::npos) << unknown.err;

    const ProgramResult skin = gallery({ "--out", out.path().string(), "--skin", "Plaid" });
    EXPECT_EQ(skin.exit_code, 1);
    EXPECT_NE(skin.err.find("Plaid"), std::string::npos) << skin.err;

    EXPECT_EQ(gallery({ "--size", "big" }).exit_code, 1);
    EXPECT_EQ(gallery({ "--colour" }).exit_code, 2);
}

TEST(Gallery, EveryListedPictureIsCommittedForEverySkinAndSize) {
    const ProgramResult list = gallery({ "--list" });
    ASSERT_EQ(list.exit_code, 0) << list.err;
    size_t names = 0;
    for (size_t at = 0, end; (end = list.out.find('\n', at)) != std::string::npos; at = end + 1, ++names) {
        const std::string name = list.out.substr(at, end - at);
        for (const char* skin : { "Default", "Black" }) {
            for (const char* size : { "240x320", "320x240", "480x640", "640x480" }) {
                EXPECT_TRUE(fs::exists(kCommitted / skin / size / (name + ".png"))) << skin << "/" << size << "/" << name;
            }
        }
    }
    EXPECT_GT(names, 20u);
}

// The manual's pictures are in the repository and in the package beside the manual.
TEST(Gallery, EveryPictureTheManualShowsIsShippedBesideIt) {
    std::ifstream file(fs::path(ZT_SOURCE_ROOT) / "data" / "help" / "ZunTime.htm");
    const std::string manual((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    ASSERT_FALSE(manual.empty());
    const std::string marker = "<img src=\"";
    size_t pictures = 0;
    for (size_t at = manual.find(marker); at != std::string::npos; at = manual.find(marker, at + 1), ++pictures) {
        const size_t begin = at + marker.size();
        const std::string source = manual.substr(begin, manual.find('"', begin) - begin);
        EXPECT_TRUE(source.starts_with("pictures/")) << source;
        EXPECT_TRUE(fs::exists(fs::path(ZT_SOURCE_ROOT) / "data" / "help" / source)) << source;
        EXPECT_TRUE(fs::exists(fs::path(ZT_BUILD_DIR) / "package" / "InstallDir" / source)) << source << " is not packaged";
    }
    EXPECT_GE(pictures, 5u);
}

}  // namespace
}  // namespace zt::e2e
