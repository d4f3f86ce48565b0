// The installed main program seen and driven through the device's debug bridge, as a person
// or a script would: `zt-device screencap` shows the device screen, `ui` lists what is on it,
// `input` taps and presses keys; offscreen and under a display of its own.
#include <gtest/gtest.h>

#include <QImage>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/base/device_root.h"
#include "platform/gui/key_codes.h"
#include "platform/profile/device_profile.h"
#include "tests/app_e2e/device_bridge.h"
#include "tests/app_e2e/main_program_fixture.h"

namespace zt::e2e {
namespace {

namespace fs = std::filesystem;
using zt::platform::gui::UiLine;

constexpr QRgb kTaskBarBlue = 0xFF000080;
constexpr std::int32_t kMainDialogId = 179;
constexpr std::int32_t kOptionsSoftKey = 0x0465;
constexpr std::int32_t kOkSoftKey = 1;
constexpr std::int32_t kCancelSoftKey = 2;
constexpr std::uint32_t kFullScreenMessage = 0x0466;

class BridgeEndToEnd : public MainProgramEndToEnd {
protected:
    fs::path picture_file(const std::string& name) const { return device.root() / (name + ".png"); }

    // The skin picture the main dialog draws its background from, as installed.
    QImage installed_skin_image(const char* name) const { return installed_skin_image("Default", name); }
    QImage installed_skin_image(const char* skin, const char* name) const {
        QImage image;
        image.load(QString::fromStdString((device.root() / "Program Files" / "Zun Time" / skin / name).string()));
        return image.convertToFormat(QImage::Format_RGB32);
    }

    std::vector<UiLine> ui() {
        auto lines = ui_lines();
        EXPECT_TRUE(lines) << "zt-device ui failed or printed a malformed line";
        return lines.value_or(std::vector<UiLine> {});
    }
    std::optional<UiLine> toolbar_button(int number) {
        return find_line(ui(), "button", u"Button " + std::u16string(1, static_cast<char16_t>(u'0' + number)));
    }
    bool button_selected(int number) {
        const auto button = toolbar_button(number);
        return button && button->has_state("selected");
    }
};

TEST_F(BridgeEndToEnd, WithoutAGuiProgramTheVerbsFindNothing) {
    EXPECT_EQ(device_verb({ "screencap", picture_file("none").string() }).exit_code, 1);
    EXPECT_EQ(device_verb({ "ui" }).exit_code, 1);
    EXPECT_EQ(input({ "key", "action" }), 1);
    start_main(u"");
    ASSERT_EQ(close_main(), 0u);
    EXPECT_EQ(device_verb({ "screencap", picture_file("after").string() }).exit_code, 1) << "the program has ended";
}

TEST_F(BridgeEndToEnd, TheScreenPictureShowsTheTaskBarTheSkinsBackgroundAndTheToolbar) {
    store_screens(1, 1, 3);  // the stopwatch's screen: its panels leave the background at the sides
    start_main(u"");
    const auto screen = screencap(picture_file("portrait"));
    ASSERT_TRUE(screen);
    ASSERT_EQ(screen->size(), QSize(480, 640)) << "the device's screen";
    const QImage background = installed_skin_image("BG_vga.png");
    ASSERT_FALSE(background.isNull());

    const auto lines = ui();
    const auto dialog =
        std::find_if(lines.begin(), lines.end(), [](const UiLine& line) { return line.control_id == kMainDialogId; });
    ASSERT_NE(dialog, lines.end()) << "the main dialog by its resource id";
    const int task_bar = dialog->y;
    EXPECT_GT(task_bar, 0);
    int blue = 0;
    for (int x = 0; x < 480; x += 8) blue += colour_near(screen->pixel(x, task_bar / 2), kTaskBarBlue, 16) ? 1 : 0;
    EXPECT_GT(blue, 40) << "the task bar along the top";

    const auto button = toolbar_button(1);
    ASSERT_TRUE(button) << "the toolbar's buttons are listed";
    // The background shows between the task bar and the toolbar, where the dialog draws it
    // from its corner: beside the stopwatch's panels (the shipped skins leave 16 pixels).
    const QRect beside_panels(0, task_bar, 14, button->y - task_bar);
    EXPECT_GT(share_alike(*screen, background, beside_panels, QPoint(0, -task_bar), 12, 2), 0.9)
        << "the skin's background under the task bar";
    const QRect toolbar(button->x, button->y, button->width, button->height);
    EXPECT_LT(share_alike(*screen, background, toolbar, QPoint(0, -task_bar)), 0.7) << "the toolbar is drawn over it";

    const auto options = find_line(lines, "softkey", u"Options");
    ASSERT_TRUE(options);
    EXPECT_EQ(options->control_id, kOptionsSoftKey);
    const auto bar = std::find_if(lines.begin(), lines.end(), [](const UiLine& line) { return line.kind == "softkeybar"; });
    ASSERT_NE(bar, lines.end());
    EXPECT_EQ(bar->y + bar->height, 640) << "the soft-key bar along the bottom";
    EXPECT_GE(options->y, bar->y) << "the soft key on it";
    EXPECT_EQ(close_main(), 0u);
}

TEST_F(BridgeEndToEnd, TappingAToolbarButtonSwitchesTheScreenAndRemembersIt) {
    store_screens(0, 1, 3);
    start_main(u"");
    ASSERT_TRUE(button_selected(1)) << "the analog clock, stored";
    const auto before = screencap(picture_file("before"));
    const auto second = toolbar_button(2);
    ASSERT_TRUE(second && before);

    ASSERT_EQ(tap_centre_of(*second), 0);
    EXPECT_TRUE(button_selected(2)) << "handled by the time the tap returned";
    EXPECT_FALSE(button_selected(1));
    EXPECT_EQ(stored(u"ClocksActiveScreen"), 2u) << "the digital clock's position";
    const auto after = screencap(picture_file("after"));
    ASSERT_TRUE(after);
    const QRect toolbar(0, second->y, 480, second->height);
    EXPECT_LT(share_alike(*before, *after, toolbar, {}, 4, 2), 0.99) << "the toolbar shows the new choice";
    EXPECT_EQ(close_main(), 0u);
}

TEST_F(BridgeEndToEnd, OnASquareScreenTheKeysDriveTheToolbarAndActionOpensTheOptions) {
    ASSERT_TRUE(zt::platform::write_screen_size(480, 480));
    store_screens(0, 1, 3);
    start_main(u"");
    ASSERT_EQ(input({ "key", "right" }), 0);
    EXPECT_TRUE(button_selected(2)) << "right moves the selection";
    EXPECT_EQ(stored(u"ClocksActiveScreen"), 1u) << "moving only selects";
    ASSERT_EQ(input({ "key", std::to_string(zt::platform::gui::VK_DOWN) }), 0) << "by its key code";
    EXPECT_EQ(stored(u"ClocksActiveScreen"), 2u) << "down switches to the selected button's screen";

    ASSERT_EQ(input({ "key", "action" }), 0);
    auto lines = ui();
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.front().kind, "dialog") << "the options sheet in front";
    EXPECT_EQ(lines.front().text, u"Zun Time");
    const auto skins = find_line(lines, "tab", u"Skins");
    ASSERT_TRUE(skins);
    EXPECT_TRUE(skins->has_state("selected")) << "page 0";
    const auto is_soft_key = [](std::int32_t id) {
        return [id](const UiLine& line) { return line.kind == "softkey" && line.control_id == id; };
    };
    const auto cancel = std::find_if(lines.begin(), lines.end(), is_soft_key(kCancelSoftKey));
    ASSERT_NE(cancel, lines.end());
    EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), is_soft_key(kOkSoftKey)));
    const auto screen = screencap(picture_file("options"));
    ASSERT_TRUE(screen);
    EXPECT_EQ(screen->size(), QSize(480, 480));

    ASSERT_EQ(tap_centre_of(*cancel), 0);
    lines = ui();
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.front().kind, "frame") << "the sheet closed";
    EXPECT_EQ(close_main(), 0u);
}

TEST_F(BridgeEndToEnd, ASkinChosenInTheOptionsIsStoredAndShownAtOnce) {
    start_main(u"");
    ASSERT_TRUE(eventually([&] { return find_line(ui(), "softkey", u"Options").has_value(); }, kStartLimit, "the soft key"));
    auto lines = ui();
    const auto dialog = std::find_if(lines.begin(), lines.end(), [](const UiLine& l) { return l.control_id == kMainDialogId; });
    const auto toolbar = toolbar_button(1);
    const auto options = find_line(lines, "softkey", u"Options");
    ASSERT_NE(dialog, lines.end());
    ASSERT_TRUE(toolbar && options);
    const int task_bar = dialog->y;
    ASSERT_EQ(tap_centre_of(*options), 0);
    lines = ui();
    const auto active = find_line(lines, "item", u"Default"), black = find_line(lines, "item", u"Black"),
               white = find_line(lines, "item", u"White");
    ASSERT_TRUE(active && black && white) << "the skins page lists the built-in skins";
    EXPECT_TRUE(active->has_state("selected"));

    // A held row offers Remove without being chosen; the message log answers the question No.
    ASSERT_EQ(input({ "hold", std::to_string(white->x + 4), std::to_string(white->y + white->height / 2) }), 0);
    const auto remove = find_line(ui(), "menuitem", u"Remove");
    ASSERT_TRUE(remove) << "the held row's menu";
    ASSERT_EQ(tap_centre_of(*remove), 0);
    std::ifstream log(m_message_log);
    const std::string logged((std::istreambuf_iterator<char>(log)), std::istreambuf_iterator<char>());
    EXPECT_NE(logged.find("Zun Time\tAre you sure you want to remove the White skin?"), std::string::npos) << logged;
    EXPECT_EQ(settings_key().get_string(u"ActiveSkin"), std::optional<std::u16string>(u"Default"));

    ASSERT_EQ(tap_centre_of(*black), 0);
    EXPECT_EQ(settings_key().get_string(u"ActiveSkin"), std::optional<std::u16string>(u"Black")) << "stored at once";
    lines = ui();
    const auto ok = std::find_if(lines.begin(), lines.end(),
                                 [](const UiLine& line) { return line.kind == "softkey" && line.control_id == kOkSoftKey; });
    ASSERT_NE(ok, lines.end());
    ASSERT_EQ(tap_centre_of(*ok), 0);
    const auto after = screencap(picture_file("black-skin"));
    ASSERT_TRUE(after);
    // What shows of the background between the task bar and the toolbar is the chosen skin's.
    const QRect area(0, task_bar, 480, toolbar->y - task_bar);
    const auto alike = [&](const char* skin) {
        return share_alike(*after, installed_skin_image(skin, "BG_vga.png"), area, QPoint(0, -task_bar));
    };
    EXPECT_GT(alike("Black"), alike("Default") + 0.3) << "the screen shows the Black skin";
    EXPECT_EQ(close_main(), 0u);
}

TEST_F(BridgeEndToEnd, FullScreenHidesTheTaskBarAndTheSoftKeys) {
    start_main(u"");
    const auto dialog = window_of(m_main->id(), u"Dialog", u"Zun Time");
    ASSERT_TRUE(dialog);
    ASSERT_EQ(zt::platform::post_message(dialog->handle, kFullScreenMessage, 1, 0), zt::platform::DeliveryStatus::Delivered);
    ASSERT_TRUE(eventually([&] {
        const auto lines = ui_lines();
        return lines && !find_line(*lines, "taskbar", u"");
    }, kPatience, "the task bar to go")) << "the task bar went";
    const auto lines = ui();
    EXPECT_FALSE(std::any_of(lines.begin(), lines.end(), [](const UiLine& line) { return line.kind == "softkey"; }));
    const auto screen = screencap(picture_file("full"));
    ASSERT_TRUE(screen);
    int blue = 0;
    for (int x = 0; x < 480; x += 8) blue += colour_near(screen->pixel(x, 10), kTaskBarBlue, 16) ? 1 : 0;
    EXPECT_LT(blue, 10) << "the skin's background at the top instead";
    EXPECT_EQ(close_main(), 0u);
}

TEST_F(BridgeEndToEnd, ThePictureHasTheScreensSizeAndTurnsWithIt) {
    for (const auto& [width, height] : std::vector<std::pair<int, int>> { { 240, 320 }, { 640, 480 } }) {
        ASSERT_TRUE(zt::platform::write_screen_size(static_cast<uint32_t>(width), static_cast<uint32_t>(height)));
        start_main(u"");
        const auto screen = screencap(picture_file("screen-" + std::to_string(width)));
        ASSERT_TRUE(screen);
        EXPECT_EQ(screen->size(), QSize(width, height));
        EXPECT_TRUE(colour_near(screen->pixel(width / 2, 4), kTaskBarBlue, 16));
        const auto lines = ui();
        ASSERT_FALSE(lines.empty());
        EXPECT_EQ(lines.front().kind, "frame");
        const UiLine& frame = lines.front();
        EXPECT_EQ((QRect(frame.x, frame.y, frame.width, frame.height)), QRect(0, 0, width, height));
        EXPECT_TRUE(toolbar_button(3)) << width << "x" << height;
        ASSERT_EQ(close_main(), 0u);
    }
}

class BridgeUnderADisplay : public BridgeEndToEnd {
protected:
    void SetUp() override {
        BridgeEndToEnd::SetUp();
        if (::testing::Test::HasFatalFailure()) return;
        m_display = std::make_unique<OwnDisplay>();
        ASSERT_FALSE(m_display->name().empty()) << "Xvfb did not start";
        ::setenv("DISPLAY", m_display->name().c_str(), 1);
        ::setenv("QT_QPA_PLATFORM", "xcb", 1);
    }
    void TearDown() override {
        BridgeEndToEnd::TearDown();
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
        ::unsetenv("DISPLAY");
        m_display.reset();
    }
    std::unique_ptr<OwnDisplay> m_display;
};

TEST_F(BridgeUnderADisplay, TheVerbsSeeAndDriveTheProgramOnAWindowSystem) {
    store_screens(0, 1, 3);
    start_main(u"");
    // The window system shows the frame a moment after the program made it.
    ASSERT_TRUE(eventually([&] { return toolbar_button(2).has_value(); }, kStartLimit, "the third toolbar button"));
    const auto screen = screencap(picture_file("display"));
    ASSERT_TRUE(screen);
    EXPECT_EQ(screen->size(), QSize(480, 640));
    EXPECT_TRUE(colour_near(screen->pixel(240, 10), kTaskBarBlue, 16));
    ASSERT_EQ(tap_centre_of(*toolbar_button(2)), 0);
    EXPECT_TRUE(button_selected(2));
    EXPECT_EQ(stored(u"ClocksActiveScreen"), 2u);
    EXPECT_EQ(close_main(), 0u);
}

}  // namespace
}  // namespace zt::e2e
