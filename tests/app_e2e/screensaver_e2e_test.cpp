// The screensaver of the installed program on a running device with its service: set up on the
// options page through the debug bridge, started by the service after the idle time, ended by a
// tap; and the slide show seen on the captured screen.
#include <gtest/gtest.h>

#include <QImage>

#include <algorithm>

#include "platform/base/device_path.h"
#include "platform/gui/key_codes.h"
#include "platform/profile/device_profile.h"
#include "tests/app_e2e/device_bridge.h"
#include "tests/app_e2e/main_program_fixture.h"

namespace zt::e2e {
namespace {

namespace fs = std::filesystem;
using zt::platform::gui::UiLine;

constexpr std::int32_t kMainDialogId = 179;
constexpr std::int32_t kOkSoftKey = 1;
constexpr std::int32_t kModeId = 1301;
constexpr std::int32_t kTimeoutId = 1302;
constexpr int kWidth = 240, kHeight = 320;

class ScreensaverEndToEnd : public MainProgramEndToEnd {
protected:
    void SetUp() override {
        MainProgramEndToEnd::SetUp();
        if (HasFatalFailure()) return;
        ASSERT_TRUE(zt::platform::write_screen_size(kWidth, kHeight));
    }
    std::vector<UiLine> ui() { return ui_lines().value_or(std::vector<UiLine> {}); }
    static std::optional<UiLine> with_id(const std::vector<UiLine>& lines, std::int32_t id, std::string_view kind) {
        for (const UiLine& line : lines)
            if (line.control_id == id && line.kind == kind) return line;
        return std::nullopt;
    }
    // The main dialog fills the whole screen and the task bar is gone.
    bool screensaver_shown() {
        const auto lines = ui_lines();
        if (!lines || find_line(*lines, "taskbar", u"")) return false;
        const auto dialog = std::find_if(lines->begin(), lines->end(), [](const UiLine& l) { return l.control_id == kMainDialogId; });
        return dialog != lines->end() && dialog->y == 0 && dialog->height == kHeight;
    }
    // Share of the sampled points above the toolbar near the colour.
    static double share_of(const QImage& screen, QRgb colour, int bottom) {
        int near = 0, all = 0;
        for (int y = 0; y < std::min(bottom, screen.height()); y += 8)
            for (int x = 0; x < screen.width(); x += 8, ++all) near += colour_near(screen.pixel(x, y), colour, 40);
        return all ? static_cast<double>(near) / all : 0;
    }
};

TEST_F(ScreensaverEndToEnd, SetOnTheOptionsPageTheServiceStartsItAfterTheIdleTimeAndATapEndsIt) {
    start_main(u"Options 5", false);
    ASSERT_TRUE(eventually([&] { return find_line(ui(), "checkbox", u"External power only").has_value(); }, kStartLimit,
                           "the screensaver page"));
    auto lines = ui();
    const auto timeout = with_id(lines, kTimeoutId, "spin");
    const auto power = find_line(lines, "checkbox", u"External power only");
    const auto mode = with_id(lines, kModeId, "combo");
    ASSERT_TRUE(timeout && power && mode);
    EXPECT_EQ(timeout->text, u"300");
    ASSERT_EQ(tap_centre_of(*timeout), 0);
    ASSERT_EQ(input({ "key", std::to_string(zt::platform::gui::VK_END) }), 0);
    for (int i = 0; i < 3; ++i) ASSERT_EQ(input({ "key", std::to_string(zt::platform::gui::VK_BACK) }), 0);
    ASSERT_EQ(input({ "text", "10" }), 0);
    ASSERT_EQ(tap_centre_of(*power), 0);
    ASSERT_EQ(tap_centre_of(*mode), 0);
    const auto digital = find_line(ui(), "item", u"Digital clock");
    ASSERT_TRUE(digital) << "the mode's list";
    ASSERT_EQ(tap_centre_of(*digital), 0);
    ASSERT_TRUE(eventually([&] { return !find_line(ui(), "item", u"Analog clock"); }, kPatience, "the list to close"));
    lines = ui();
    EXPECT_EQ(with_id(lines, kTimeoutId, "spin")->text, u"10");
    const auto ok = std::find_if(lines.begin(), lines.end(),
                                 [](const UiLine& line) { return line.kind == "softkey" && line.control_id == kOkSoftKey; });
    ASSERT_NE(ok, lines.end());
    // The program ends with the sheet, often before the bridge can report the tap as handled.
    tap_centre_of(*ok);
    ASSERT_EQ(m_main->wait(std::chrono::seconds(20)), zt::platform::Process::WaitResult::Ended);
    EXPECT_EQ(stored(u"ScrTimeout"), 10u);
    EXPECT_EQ(stored(u"ScrExtPower"), 0u);
    EXPECT_EQ(stored(u"ScrMode"), 2u);

    store_screens(0, 0, 3);
    start_main(u"");
    ASSERT_FALSE(screensaver_shown());
    const auto before = screencap(device.root() / "before.png");
    ASSERT_TRUE(before);
    // Ten seconds without input, checked by the service once a second.
    ASSERT_TRUE(eventually([&] { return screensaver_shown(); }, std::chrono::seconds(40), "the screensaver"));
    EXPECT_EQ(stored(u"ClocksActiveScreen"), 2u) << "the digital clock";
    const auto shown = screencap(device.root() / "screensaver.png");
    ASSERT_TRUE(shown);
    EXPECT_EQ(shown->size(), QSize(kWidth, kHeight));
    EXPECT_LT(share_alike(*before, *shown, QRect(0, 0, kWidth, 26)), 0.5) << "the clock where the task bar was";

    ASSERT_EQ(input({ "tap", "120", "160" }), 0);
    EXPECT_TRUE(eventually([&] { return find_line(ui(), "taskbar", u"").has_value(); }, kPatience, "the task bar again"));
    EXPECT_TRUE(m_main->exit_status().still_active()) << "a program that ran before goes on";
    EXPECT_EQ(close_main(), 0u);
}

TEST_F(ScreensaverEndToEnd, WithOpacityZeroTheScreenShowsTheSlideShowsPictures) {
    const auto folder = zt::platform::map_device_path(u"\\My Documents\\Slides", device.root());
    ASSERT_TRUE(folder);
    fs::create_directories(*folder);
    for (auto [name, colour] : { std::pair { "1.png", QColor(220, 30, 30) }, std::pair { "2.JPG", QColor(30, 200, 40) } }) {
        QImage picture(160, 120, QImage::Format_RGB32);
        picture.fill(colour);
        ASSERT_TRUE(picture.save(QString::fromStdString((*folder / name).string()), name[2] == 'p' ? "PNG" : "JPEG"));
    }
    auto key = settings_key();
    key.set_dword(u"SlideShowEnabled", 1);
    key.set_string(u"SlideShowDir", u"\\My Documents\\Slides");
    key.set_dword(u"SlideShowEffect", 0x00010000);  // cut, one second each
    key.set_dword(u"SlideShowOpacity", 0);
    key.set_dword(u"SlideShowScaling", 2);  // stretched over the whole screen
    start_main(u"ScreenSaver");
    const auto toolbar = find_line(ui(), "button", u"Button 1");
    ASSERT_TRUE(toolbar);
    for (QRgb colour : { qRgb(220, 30, 30), qRgb(30, 200, 40) }) {
        EXPECT_TRUE(eventually([&] {
            const auto screen = screencap(device.root() / "slide.png");
            return screen && share_of(*screen, colour, toolbar->y) > 0.98;
        }, kPatience, colour == qRgb(220, 30, 30) ? "the red picture alone" : "the green picture alone"));
    }
    // The service's message that ends the screensaver ends a program started for it.
    ASSERT_EQ(zt::platform::post_message(anchor(), 0x0469), zt::platform::DeliveryStatus::Delivered);
    EXPECT_EQ(m_main->wait(std::chrono::seconds(20)), zt::platform::Process::WaitResult::Ended)
        << "started as the screensaver, it ends with it";
}

}  // namespace
}  // namespace zt::e2e
