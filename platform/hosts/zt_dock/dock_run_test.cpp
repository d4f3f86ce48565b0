// zt-dock as a person meets it: started in a fresh device root with an applet placed before,
// looked at, held and tapped through zt-device's debug bridge, ended by SIGTERM with the applet's
// data stored back.
#include <gtest/gtest.h>

#include <QImage>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "platform/gui/ui_line.h"
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

constexpr QRgb kAppletColour = 0xFF2080C0;  // the fake applet's box
constexpr char16_t kAppletsKey[] = u"Software\\ZunDevice\\Dock\\Applets";

class DockRunTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(m_root.path().empty());
        ASSERT_TRUE(write_screen_size(240, 320));
        ASSERT_TRUE(copy_into_root(m_root.path(), ZT_FAKE_APPLET_LIBRARY, "Windows/FakeApplet.dll"));
        auto registered = Key::create(Root::LocalMachine, u"SOFTWARE\\Zunworks\\Shared\\TabApplets\\Fake");
        ASSERT_TRUE(registered);
        registered->key.set_string(u"DLL", u"\\Windows\\FakeApplet.dll");
        registered->key.set_string(u"Name", u"Fake Applet");
        registered->key.set_string(u"Label", u"Fake");
        auto placed = Key::create(Root::CurrentUser, std::u16string(kAppletsKey) + u"\\0");
        ASSERT_TRUE(placed);
        placed->key.set_string(u"Library", u"\\windows\\fakeapplet.dll");
        const uint8_t blob[] = { 41, 0, 0, 0 };
        placed->key.set_binary(u"Data", blob);
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
        ::setenv("ZT_FAKE_APPLET_LOG", m_log.file().c_str(), 1);
    }
    void TearDown() override { ::unsetenv("ZT_FAKE_APPLET_LOG"); }

    TempDeviceRoot m_root;
    LogLines m_log { m_root.path() / "applet.log" };
};

TEST_F(DockRunTest, ShowsTheStoredAppletPassesItsMenuCommandAndTapAndStoresItsDataOnSigterm) {
    auto dock = ChildProcess::spawn(built_program("zt-dock"), { "--root", m_root.path().string() });
    ASSERT_TRUE(dock);
    std::optional<QImage> picture;
    ASSERT_TRUE(eventually([&] { return (picture = device_screen(m_root.path() / "screen.png")).has_value(); },
                           kPatience, "the dock's picture"));
    ASSERT_EQ(picture->size(), QSize(240, 320));

    // The applet's box: the first run of its colour down the left of the screen.
    int top = 0;
    while (top < 320 && picture->pixel(20, top) != kAppletColour) ++top;
    ASSERT_LT(top, 100) << "no applet near the top of the screen";
    EXPECT_EQ(picture->pixel(20, top + 25), kAppletColour) << "30 rows high";
    EXPECT_EQ(picture->pixel(39, top + 10), kAppletColour) << "40 wide from x = 2";
    EXPECT_NE(picture->pixel(45, top + 10), kAppletColour) << "and no wider";

    // Tap-and-hold in its left half: the applet's menu with the dock's "Remove Applet" below it.
    const std::string y = std::to_string(top + 10);
    std::optional<gui::UiLine> count;
    bool remove_offered = false;
    ASSERT_TRUE(eventually(
        [&] {
            for (const gui::UiLine& line : gui::parse_ui_dump(run_zt_device({ "ui" }).out).value_or(std::vector<gui::UiLine> {})) {
                if (line.kind == "menuitem" && line.text == u"Count") count = line;
                if (line.kind == "menuitem" && line.text == u"Remove Applet") remove_offered = true;
            }
            if (!count) run_zt_device({ "input", "hold", "10", y });
            return count.has_value();
        },
        kPatience, "the applet's menu"));
    EXPECT_TRUE(remove_offered);
    ASSERT_EQ(run_zt_device({ "input", "tap", std::to_string(count->x + count->width / 2),
                              std::to_string(count->y + count->height / 2) }).exit_code, 0);
    EXPECT_TRUE(eventually([&] { return m_log.has_line_starting("command 2"); }, kPatience, "the command to reach the applet"));

    ASSERT_EQ(run_zt_device({ "input", "tap", "10", y }).exit_code, 0);
    EXPECT_TRUE(eventually([&] { return m_log.has_line_starting("click 8 "); }, kPatience, "the tap to reach OnClick"));

    EXPECT_EQ(dock->terminate(), 0);
    const auto stored = Key::open(Root::CurrentUser, std::u16string(kAppletsKey) + u"\\0");
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->get_binary(u"Data"), (std::vector<uint8_t> { 43, 0, 0, 0 })) << "the command and the tap counted";
    EXPECT_TRUE(m_log.has_line_starting("delete 43")) << "the applet was deleted as the dock ended";
}

}  // namespace
}  // namespace zt::platform::testing
