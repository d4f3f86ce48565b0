// The soft-key bar and the dialog appearance, driven offscreen.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/gui/dialog_appearance.h"
#include "platform/gui/popup_menu.h"
#include "platform/gui/soft_key_bar.h"
#include "platform/gui/testing/font_cell.h"
#include "platform/profile/device_profile.h"
#include "platform/testing/temp_device_root.h"

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
    zt::platform::testing::TempDeviceRoot m_root;
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

using testing::sized_by_cell;

TEST_F(GuiWidgetsTest, PopupMenusStayInsideTheDeviceScreen) {
    QWidget screen;
    screen.setGeometry(0, 0, 240, 320);
    auto* child = new QWidget(&screen);
    child->setGeometry(0, 30, 240, 200);
    QMenu menu;
    for (const char* item : { "Select City As...", "Show Cities", "Show Night" }) menu.addAction(QString::fromLatin1(item));
    const QSize size = menu.sizeHint();
    const QPoint origin = screen.mapToGlobal(QPoint(0, 0));
    EXPECT_EQ(popup_menu_position(menu, *child, origin + QPoint(10, 40)), origin + QPoint(10, 40)) << "room enough";
    EXPECT_EQ(popup_menu_position(menu, *child, origin + QPoint(230, 310)), origin + QPoint(230 - size.width(), 310 - size.height()))
        << "opens to the left and upward at the corner";
    EXPECT_EQ(popup_menu_position(menu, *child, origin + QPoint(5, 300)).y(), origin.y() + 300 - size.height());
}

TEST_F(GuiWidgetsTest, FontsFollowTheLargeFontSwitchAndControlKind) {
    const QFont normal_button = dialog_font(ControlKind::PushButton, {});
    EXPECT_TRUE(sized_by_cell(normal_button, 13));
    EXPECT_EQ(normal_button.weight(), QFont::Bold);
    const QFont large_button = dialog_font(ControlKind::PushButton, { true, 96 });
    EXPECT_TRUE(sized_by_cell(large_button, 14));
    EXPECT_EQ(large_button.weight(), QFont::Normal) << "large fonts take away the bold";
    EXPECT_TRUE(sized_by_cell(dialog_font(ControlKind::Other, { false, 192 }), 26)) << "scaled by dots per inch";
    EXPECT_TRUE(sized_by_cell(dialog_font(ControlKind::Other, { true, 192 }), 28));

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

class DialogLookTest : public GuiWidgetsTest {
protected:
    // A dialog as a program builds one: English captions, a menu, a combo box with data words.
    struct Dialog {
        QDialog window;
        QPushButton* button { new QPushButton("OK", &window) };
        QLabel* label { new QLabel("Name", &window) };
        QComboBox* combo { new QComboBox(&window) };
        QMenu* menu { new QMenu(&window) };
        Dialog() {
            window.setWindowTitle("Alarm Options");
            auto* layout = new QVBoxLayout(&window);
            layout->addWidget(button);
            layout->addWidget(label);
            layout->addWidget(combo);
            combo->addItem("One", 7);
            combo->addItem("Two", 8);
            menu->addAction("Snooze");
        }
    };
    static std::u16string bracket(std::u16string_view text) { return u"<" + std::u16string(text) + u">"; }
};

TEST_F(DialogLookTest, InitialisationGivesFontsTranslationsAndTheInputPanelPreference) {
    ASSERT_TRUE(write_screen_size(240, 320));
    Dialog dialog;
    const Appearance large { true, 96 };
    DialogLook::install(dialog.window, { large, bracket, {}, true });
    EXPECT_EQ(dialog.label->text(), "Name") << "nothing happens before the dialog initialises";
    dialog.window.show();
    EXPECT_TRUE(sized_by_cell(dialog.button->font(), 14));
    EXPECT_FALSE(dialog.button->font().bold()) << "the large-font switch";
    EXPECT_TRUE(sized_by_cell(dialog.combo->font(), 14));
    EXPECT_EQ(dialog.window.windowTitle(), "<Alarm Options>");
    EXPECT_EQ(dialog.button->text(), "<OK>");
    EXPECT_EQ(dialog.label->text(), "<Name>");
    EXPECT_EQ(dialog.combo->itemText(0), "<One>");
    EXPECT_EQ(dialog.combo->itemData(0).toInt(), 7) << "the item keeps its data word";
    emit dialog.menu->aboutToShow();
    EXPECT_EQ(dialog.menu->actions()[0]->text(), "<Snooze>");
    EXPECT_NE(dialog.window.findChild<QWidget*>("SIPPREF"), nullptr) << "a 240 x 320 screen is not square";

    // Applying again (a page inside a sheet gets both looks) never translates a translation;
    // a text the program sets later is taken as new English.
    dialog.label->setText("Place");
    DialogLook::of(dialog.window)->apply();
    EXPECT_EQ(dialog.button->text(), "<OK>");
    EXPECT_EQ(dialog.label->text(), "<Place>");
    EXPECT_EQ(dialog.combo->itemText(1), "<Two>");
    emit dialog.menu->aboutToShow();
    EXPECT_EQ(dialog.menu->actions()[0]->text(), "<Snooze>");
    dialog.window.hide();
}

TEST_F(DialogLookTest, HeadingStripIsPaintedAboveTheControlsAndSquareScreensGetNoPreference) {
    ASSERT_TRUE(write_screen_size(240, 240));
    Dialog dialog;
    dialog.window.resize(240, 200);
    const Appearance normal {};
    DialogLook::install(dialog.window, { normal, {}, u"Alarm Options", true });
    dialog.window.show();
    EXPECT_EQ(dialog.window.findChild<QWidget*>("SIPPREF"), nullptr);
    EXPECT_EQ(dialog.button->text(), "OK") << "no translation given: captions stay";
    EXPECT_GE(dialog.button->geometry().top(), heading_strip_height(normal)) << "controls start below the strip";
    const QImage shown = dialog.window.grab().toImage();
    EXPECT_EQ(shown.pixel(120, kHeadingHeight), qRgb(0, 0, 0)) << "the line under the strip";
    bool blue = false;
    for (int x = 8; x < 100 && !blue; ++x)
        for (int y = 0; y < kHeadingHeight && !blue; ++y) blue = shown.pixel(x, y) == qRgb(0, 0, 156);
    EXPECT_TRUE(blue) << "heading text in dark blue";
    dialog.window.hide();
}

}  // namespace
}  // namespace zt::platform::gui
