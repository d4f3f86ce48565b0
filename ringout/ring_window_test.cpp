// The ringing window rendered offscreen at both resolutions, with the skin's own art, and the
// pen pressing, sliding and lifting over its buttons.
#include "ringout/ring_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>

#include "platform/base/clock.h"
#include "platform/gui/locale_clock.h"
#include "platform/gui/pen_capture.h"
#include "platform/gui/testing/font_cell.h"
#include "platform/gui/ui_dump.h"
#include "platform/gui/window_placement.h"

#include "platform/profile/device_profile.h"
#include "ringout/ring_controller.h"
#include "platform/testing/temp_device_root.h"
#include "skins/picture_loader.h"

namespace zt::ringout {
namespace {

int argc_for_qt = 1;
char program_name[] = "ring_window_test";
char* argv_for_qt[] = { program_name, nullptr };

zt::skins::CImageStrip strip_of(const std::string& file) {
    auto picture = zt::skins::load_picture_file(std::string(ZT_SKIN_DIR) + "/" + file);
    return picture ? zt::skins::CImageStrip(std::move(*picture)) : zt::skins::CImageStrip();
}

class RingWindowTest : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        m_app = std::make_unique<QApplication>(argc_for_qt, argv_for_qt);
        ASSERT_FALSE(m_root.path().empty());
        const int width = GetParam();
        ASSERT_TRUE(zt::platform::write_screen_size(width, width * 4 / 3));
        const std::string suffix = width > 400 ? "_vga.png" : ".png";
        m_strips.buttons = strip_of("alarm_buttons" + suffix);
        m_strips.pictures = strip_of("alarm_picts" + suffix);
        ASSERT_TRUE(m_strips.buttons.valid());
        m_window = std::make_unique<RingWindow>(m_strips, [this](uint32_t command) { m_commands.push_back(command); },
                                                Translate {});
        m_window->resize(width, width);
    }
    void show(zt::core::ItemType type, std::u16string title) {
        RingEntry entry;
        entry.item_id = 4;
        entry.item_type = type;
        entry.title = std::move(title);
        m_window->show_entry(entry);
        QApplication::processEvents();
    }
    void pen(QEvent::Type type, zt::platform::Rect rect) {
        const QPointF point((rect.left + rect.right) / 2.0, (rect.top + rect.bottom) / 2.0);
        pen_at(type, point);
    }
    void pen_at(QEvent::Type type, QPointF point) {
        const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent event(type, point, m_window->mapToGlobal(point), Qt::LeftButton, held, Qt::NoModifier);
        QApplication::sendEvent(m_window.get(), &event);
    }
    void settle() {
        for (int round = 0; round < 50; ++round) {
            QApplication::processEvents(QEventLoop::AllEvents, 10);
        }
    }
    static bool has_ink(const QImage& image, const zt::platform::Rect& rect, QRgb background) {
        for (int y = rect.top; y < rect.bottom; ++y)
            for (int x = rect.left; x < rect.right; ++x)
                if (image.pixel(x, y) != background) return true;
        return false;
    }

    std::unique_ptr<QApplication> m_app;
    zt::platform::testing::TempDeviceRoot m_root;
    RingStrips m_strips;
    std::unique_ptr<RingWindow> m_window;
    std::vector<uint32_t> m_commands;
};

TEST_P(RingWindowTest, DrawsTitlePictureClockAndButtonsInTheirBands) {
    show(zt::core::ItemType::Alarm, u"Wake up");
    const QImage image = m_window->grab().toImage();
    const RingLayout layout = m_window->layout();
    const int high = GetParam() > 400 ? 2 : 1;
    EXPECT_EQ(layout.title.bottom, 20 * high);
    EXPECT_EQ(layout.left_button.top, GetParam() - 66 * high);
    const QRgb background = image.pixel(1, layout.title.bottom + 1);
    EXPECT_TRUE(has_ink(image, layout.title, background)) << "title";
    EXPECT_TRUE(has_ink(image, layout.picture, background)) << "picture";
    EXPECT_TRUE(has_ink(image, layout.clock, background)) << "clock";
    EXPECT_TRUE(has_ink(image, layout.left_button, background)) << "Dismiss";
    EXPECT_TRUE(has_ink(image, layout.right_button, background)) << "Snooze";
}

TEST_P(RingWindowTest, PressSlideOffAndReleasePostsNothingButSlidingBackPostsTheCommand) {
    show(zt::core::ItemType::Alarm, u"Wake up");
    const RingLayout layout = m_window->layout();
    const QImage normal = m_window->grab().toImage();

    pen(QEvent::MouseButtonPress, layout.left_button);
    EXPECT_EQ(m_window->pressed_button(), 0);
    const QImage pressed = m_window->grab().toImage();
    EXPECT_NE(normal.copy(layout.left_button.left, layout.left_button.top, layout.left_button.right - layout.left_button.left,
                          layout.left_button.bottom - layout.left_button.top),
              pressed.copy(layout.left_button.left, layout.left_button.top,
                           layout.left_button.right - layout.left_button.left,
                           layout.left_button.bottom - layout.left_button.top))
        << "the pressed frame is drawn";
    pen(QEvent::MouseMove, layout.picture);
    EXPECT_EQ(m_window->pressed_button(), -1);
    pen(QEvent::MouseButtonRelease, layout.picture);
    settle();
    EXPECT_TRUE(m_commands.empty());

    pen(QEvent::MouseButtonPress, layout.left_button);
    pen(QEvent::MouseMove, layout.clock);
    pen(QEvent::MouseMove, layout.right_button);
    EXPECT_EQ(m_window->pressed_button(), 1);
    pen(QEvent::MouseButtonRelease, layout.right_button);
    settle();
    EXPECT_EQ(m_commands, std::vector<uint32_t> { kCommandSnooze });
}

TEST_P(RingWindowTest, TimerOffersRestartAndTheSnoozeMenuListsSixLengths) {
    show(zt::core::ItemType::Timer, u"Tea");
    const RingLayout layout = m_window->layout();
    pen(QEvent::MouseButtonPress, layout.right_button);
    pen(QEvent::MouseButtonRelease, layout.right_button);
    settle();
    EXPECT_EQ(m_commands, std::vector<uint32_t> { kCommandRestart });

    EXPECT_EQ(m_window->soft_keys().button_texts(), (std::vector<std::u16string> { u"Dismiss", u"Restart" }));
    show(zt::core::ItemType::Alarm, u"Wake");
    EXPECT_EQ(m_window->soft_keys().button_texts(), (std::vector<std::u16string> { u"Dismiss", u"Snooze" }))
        << "the timer's keys were replaced";
    m_window->soft_keys().press(0);
    EXPECT_EQ(m_commands.back(), kCommandDismiss);

    const auto actions = m_window->snooze_menu()->actions();
    ASSERT_EQ(actions.size(), 6);
    EXPECT_EQ(actions[0]->text(), "3 min");
    EXPECT_EQ(actions[5]->text(), "60 min");
    actions[2]->trigger();
    EXPECT_EQ(m_commands.back(), kSnoozeMenuFirst + 2);
}

TEST_P(RingWindowTest, UsesTheShellsTimerPenCaptureAndTopmostPlacement) {
    EXPECT_TRUE(m_window->timers().is_set(kClockTimer)) << "the clock runs on window timer 1002";
    EXPECT_TRUE(zt::platform::gui::is_topmost(*m_window));
    show(zt::core::ItemType::Alarm, u"Wake up");
    const RingLayout layout = m_window->layout();
    pen(QEvent::MouseButtonPress, layout.left_button);
    EXPECT_EQ(zt::platform::gui::pen_capture_owner(), m_window.get()) << "the pen is captured on press";
    pen(QEvent::MouseButtonRelease, layout.left_button);
    EXPECT_EQ(zt::platform::gui::pen_capture_owner(), nullptr) << "and released on lift";
    EXPECT_FALSE(m_window->appearance().large_fonts) << "no translation: the normal fonts";
}

TEST_P(RingWindowTest, TheTextTablesLargeFontSwitchGivesLargeFonts) {
    const Translate large = [](std::u16string_view text) {
        return text == u"_LARGE_SMALL_FONTS" ? std::u16string(u"1") : std::u16string(text);
    };
    RingWindow window(m_strips, {}, large);
    EXPECT_TRUE(window.appearance().large_fonts);
    const int large_height = GetParam() > 400 ? 28 : 14;  // 14 at 96 dpi, scaled to the screen's
    // Sized by cell height (ascent plus descent), as the dialogs' fonts are.
    EXPECT_TRUE(zt::platform::gui::testing::sized_by_cell(window.font(), large_height));
    RingEntry entry;
    entry.item_id = 1;
    entry.title = u"Wake";
    window.show_entry(entry);
    for (const std::u16string& text : window.soft_keys().button_texts()) EXPECT_FALSE(text.empty());
    const auto buttons = window.soft_keys().findChildren<QPushButton*>();
    ASSERT_FALSE(buttons.isEmpty());
    for (const QPushButton* button : buttons) {
        EXPECT_EQ(button->font().pixelSize(), window.font().pixelSize());
        EXPECT_FALSE(button->font().bold()) << "large fonts keep push buttons at normal weight";
    }
    EXPECT_TRUE(zt::platform::gui::testing::sized_by_cell(m_window->font(), large_height * 13 / 14))
        << "the normal window keeps 13";
}

TEST_P(RingWindowTest, TheDevicesToolsListItsButtonsSoftKeysAndSnoozeLengthsByTheirIds) {
    using zt::platform::gui::UiLine;
    const auto find = [](const std::vector<UiLine>& lines, std::string_view kind, std::u16string_view text) {
        const auto found =
            std::find_if(lines.begin(), lines.end(), [&](const UiLine& l) { return l.kind == kind && l.text == text; });
        return found == lines.end() ? std::optional<UiLine> {} : std::optional<UiLine>(*found);
    };
    show(zt::core::ItemType::Alarm, u"Wake up");
    std::vector<UiLine> lines = zt::platform::gui::describe_device_screen();
    const auto window =
        std::find_if(lines.begin(), lines.end(), [](const UiLine& l) { return l.control_id == kRingWindowResource; });
    ASSERT_NE(window, lines.end()) << "the window by its dialog template";
    const auto dismiss = find(lines, "button", u"Dismiss");
    const auto snooze = find(lines, "button", u"Snooze");
    ASSERT_TRUE(dismiss && snooze) << "the image buttons it draws";
    EXPECT_EQ(dismiss->control_id, static_cast<int32_t>(kCommandDismiss));
    EXPECT_EQ(snooze->control_id, static_cast<int32_t>(kCommandSnooze));
    const RingLayout layout = m_window->layout();
    EXPECT_EQ(dismiss->x - window->x, layout.left_button.left);
    EXPECT_EQ(dismiss->width, layout.left_button.right - layout.left_button.left);
    const auto bar = std::find_if(lines.begin(), lines.end(), [](const UiLine& l) { return l.kind == "softkeybar"; });
    ASSERT_NE(bar, lines.end());
    EXPECT_EQ(bar->control_id, kSoftKeyBarId);
    const auto soft_dismiss = find(lines, "softkey", u"Dismiss");
    ASSERT_TRUE(soft_dismiss);
    EXPECT_EQ(soft_dismiss->control_id, static_cast<int32_t>(kCommandDismiss));

    m_window->snooze_menu()->popup(m_window->mapToGlobal(QPoint(10, 10)));
    QApplication::processEvents();
    lines = zt::platform::gui::describe_device_screen();
    const auto five = find(lines, "menuitem", u"5 min");
    ASSERT_TRUE(five);
    EXPECT_EQ(five->control_id, static_cast<int32_t>(kSnoozeMenuFirst + 1));
    m_window->snooze_menu()->hide();

    show(zt::core::ItemType::Timer, u"Tea");
    lines = zt::platform::gui::describe_device_screen();
    const auto restart = find(lines, "button", u"Restart");
    ASSERT_TRUE(restart);
    EXPECT_EQ(restart->control_id, static_cast<int32_t>(kCommandRestart));
    EXPECT_FALSE(find(lines, "button", u"Snooze")) << "a timer offers no snooze";
}

TEST_P(RingWindowTest, TheClockKeepsToTheDevicesTwelveOrTwentyFourHourSetting) {
    zt::platform::ManualClock clock { zt::platform::SYSTEMTIME { 2009, 3, 1, 2, 13, 7, 30, 0 } };
    zt::platform::ScopedClockOverride at_seven_past_one { clock };
    zt::platform::gui::set_locale_time_indicator_override(u"0");
    show(zt::core::ItemType::Alarm, u"Wake up");
    EXPECT_EQ(m_window->clock_text(), u"1:07 PM");
    zt::platform::gui::set_locale_time_indicator_override(u"1");
    EXPECT_EQ(m_window->clock_text(), u"13:07") << "whatever the host's locale says";
    zt::platform::gui::set_locale_time_indicator_override(std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(BothResolutions, RingWindowTest, ::testing::Values(240, 480));

}  // namespace
}  // namespace zt::ringout
