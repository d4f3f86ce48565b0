// The soft-key bar and the dialog appearance, driven offscreen.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QPushButton>

#include "platform/gui/dialog_appearance.h"
#include "platform/gui/soft_key_bar.h"
#include "platform/registry/testing/temp_device_root.h"

namespace zt::platform::gui {
namespace {

int argc_for_qt = 1;
char program_name[] = "gui_widgets_test";
char* argv_for_qt[] = { program_name, nullptr };

class GuiWidgetsTest : public ::testing::Test {
protected:
    void SetUp() override {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        m_app = std::make_unique<QApplication>(argc_for_qt, argv_for_qt);
        ASSERT_FALSE(m_root.path().empty());
    }
    std::unique_ptr<QApplication> m_app;
    testing::TempDeviceRoot m_root;
};

TEST_F(GuiWidgetsTest, SoftKeyBarKeepsButtonOrderAndSendsCommands) {
    QWidget window;
    std::vector<uint32_t> commands;
    SoftKeyBar bar(&window, [&](uint32_t command) { commands.push_back(command); });
    bar.add_text_button(u"Old", 7);
    bar.add_text_button(u"Older", 8);
    QMenu menu;
    bool hook_ran = false;
    bar.add_menu_button(u"Snooze", &menu, [&](QMenu&) { hook_ran = true; });
    bar.add_text_button(u"Dismiss", 101, true);
    bar.remove_first_button();
    bar.remove_first_button();
    EXPECT_EQ(bar.button_texts(), (std::vector<std::u16string> { u"Dismiss", u"Snooze" }));
    EXPECT_TRUE(bar.press(0));
    EXPECT_TRUE(bar.press(1));
    EXPECT_FALSE(bar.press(2));
    EXPECT_EQ(commands, std::vector<uint32_t> { 101 });
    EXPECT_TRUE(hook_ran) << "the menu's owner refills it before it opens";
    menu.hide();
}

TEST_F(GuiWidgetsTest, FontsFollowTheLargeFontSwitchAndControlKind) {
    const QFont normal_button = dialog_font(ControlKind::PushButton, {});
    EXPECT_EQ(normal_button.pixelSize(), 13);
    EXPECT_EQ(normal_button.weight(), QFont::Bold);
    const QFont large_button = dialog_font(ControlKind::PushButton, { true, 96 });
    EXPECT_EQ(large_button.pixelSize(), 14);
    EXPECT_EQ(large_button.weight(), QFont::Normal) << "large fonts take away the bold";
    EXPECT_EQ(dialog_font(ControlKind::Other, { false, 192 }).pixelSize(), 26) << "scaled by dots per inch";

    QWidget dialog;
    auto* button = new QPushButton("OK", &dialog);
    auto* label = new QLabel("Name", &dialog);
    apply_fonts(dialog, {});
    EXPECT_EQ(button->font().weight(), QFont::Bold);
    EXPECT_EQ(label->font().weight(), QFont::Normal);

    translate_dialog(dialog, [](std::u16string_view text) { return u"<" + std::u16string(text) + u">"; });
    EXPECT_EQ(button->text(), "<OK>");
    EXPECT_EQ(label->text(), "<Name>");
}

TEST_F(GuiWidgetsTest, HeadingStripHasItsLineAndMenusTranslateOnceEachOpen) {
    QImage image(200, 40, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        paint_heading(painter, 200, u"Alarms", {});
    }
    EXPECT_EQ(image.pixel(100, kHeadingHeight), qRgb(0, 0, 0)) << "the line under the strip";
    EXPECT_EQ(image.pixel(100, kHeadingHeight + 2), qRgb(255, 255, 255));
    bool blue = false;
    for (int x = 8; x < 60 && !blue; ++x)
        for (int y = 0; y < kHeadingHeight && !blue; ++y) blue = image.pixel(x, y) == qRgb(0, 0, 156);
    EXPECT_TRUE(blue) << "heading text in dark blue";

    QMenu menu;
    menu.addAction("Snooze");
    translate_menu_on_open(menu, [](std::u16string_view text) { return u"[" + std::u16string(text) + u"]"; });
    emit menu.aboutToShow();
    emit menu.aboutToShow();
    EXPECT_EQ(menu.actions()[0]->text(), "[Snooze]");

    EXPECT_FALSE(wants_input_panel_preference(240, 240));
    EXPECT_TRUE(wants_input_panel_preference(240, 320));
    QWidget dialog;
    EXPECT_TRUE(add_input_panel_preference(dialog));
    EXPECT_FALSE(add_input_panel_preference(dialog));
}

}  // namespace
}  // namespace zt::platform::gui
