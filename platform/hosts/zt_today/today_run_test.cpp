// zt-today as a person meets it: started in a fresh device root with an item registered,
// looked at and driven through zt-device's debug bridge, alone per root, ended by SIGTERM.
#include <gtest/gtest.h>

#include <QImage>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "platform/profile/device_profile.h"
#include "platform/registry/registry.h"
#include "platform/testing/child_process.h"
#include "platform/testing/running_device.h"
#include "platform/testing/screen_picture.h"
#include "platform/testing/log_lines.h"
#include "platform/testing/temp_device_root.h"

namespace zt::platform::testing {
namespace {

namespace fs = std::filesystem;
using registry::Key;
using registry::Root;

constexpr QRgb kItemColour = 0xFF00A000;  // the fake item's left edge
constexpr QRgb kHighlight = 0xFF3169C6;   // the screen's default highlight

class TodayRunTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(m_root.path().empty());
        ASSERT_TRUE(write_screen_size(240, 320));
        ASSERT_TRUE(copy_into_root(m_root.path(), ZT_FAKE_ITEM_LIBRARY, "Windows/FakeItem.dll"));
        auto item = Key::create(Root::LocalMachine, u"SOFTWARE\\Microsoft\\Today\\Items\\Fake");
        ASSERT_TRUE(item);
        item->key.set_string(u"DLL", u"\\windows\\fakeitem.dll");
        item->key.set_dword(u"Enabled", 1);
        item->key.set_dword(u"Type", 60);
        item->key.set_dword(u"Selectability", 1);
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
        ::setenv("ZT_FAKE_ITEM_LOG", log_file().c_str(), 1);
    }
    void TearDown() override { ::unsetenv("ZT_FAKE_ITEM_LOG"); }

    fs::path log_file() const { return m_root.path() / "item.log"; }
    bool logged(const std::string& wanted) const {
        const auto lines = LogLines(log_file()).take();
        return std::find(lines.begin(), lines.end(), wanted) != lines.end();
    }
    std::optional<QImage> screen() const { return device_screen(m_root.path() / "screen.png"); }
    std::vector<std::string> arguments() const { return { "--root", m_root.path().string() }; }

    TempDeviceRoot m_root;
};

TEST_F(TodayRunTest, ShowsTheItemTakesKeysRunsAloneAndEndsOnSigterm) {
    auto today = ChildProcess::spawn(built_program("zt-today"), arguments());
    ASSERT_TRUE(today);
    std::optional<QImage> picture;
    ASSERT_TRUE(eventually([&] { return (picture = screen()).has_value(); }, kPatience, "the Today screen's picture"));
    ASSERT_EQ(picture->size(), QSize(240, 320));

    // The item's block in the left column, right below the task bar, on the white background.
    int top = 0;
    while (top < 320 && (picture->pixel(5, top) & 0xFFFFFF) != (kItemColour & 0xFFFFFF)) ++top;
    ASSERT_LT(top, 80) << "no item at the top of the screen";
    EXPECT_EQ(picture->pixel(5, top + 59), kItemColour) << "at least its first 60 rows";
    EXPECT_EQ(picture->pixel(27, top + 5), qRgb(0, 0, 0)) << "the text colour it asked for";
    EXPECT_EQ(picture->pixel(150, top + 30), qRgb(255, 255, 255)) << "the background behind it";

    ASSERT_EQ(run_zt_device({ "input", "key", "down" }).exit_code, 0);
    EXPECT_TRUE(eventually([&] { return logged("Fake received 40"); }, kPatience, "the item to get the selection"));
    EXPECT_TRUE(eventually(
        [&] {
            picture = screen();
            return picture && picture->pixel(150, top + 30) == kHighlight;
        },
        kPatience, "the selected item on the highlight colour"));

    const ProgramResult second = run_program(built_program("zt-today"), arguments());
    EXPECT_EQ(second.exit_code, 2);
    EXPECT_NE(second.err.find("already runs"), std::string::npos) << second.err;

    EXPECT_EQ(today->terminate(), 0);
    EXPECT_TRUE(logged("Fake destroyed")) << "the item went before its library";
}

}  // namespace
}  // namespace zt::platform::testing
