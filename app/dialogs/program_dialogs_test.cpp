#include <gtest/gtest.h>

#include <QApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include <chrono>
#include <thread>

#include "app/dialogs/alarm_editor_placeholder.h"
#include "app/dialogs/program_dialogs.h"
#include "app/dialogs/program_images.h"
#include "app/dialogs/program_look.h"
#include "platform/gui/screen_metrics.h"
#include "platform/gui/testing/font_cell.h"
#include "platform/gui/testing/widget_test_app.h"
#include "platform/testing/temp_device_root.h"
#include "platform/windows/window_lookup.h"
#include "texts/text_table.h"

namespace {

using zt::app::CommandLine;
using zt::app::StartMode;

class ProgramDialogs : public ::testing::Test {
protected:
    static void SetUpTestSuite() { zt::platform::gui::testing::widget_test_app(); }
    void TearDown() override { zt::app::CTextTable::instance().clear(); }

    zt::platform::testing::TempDeviceRoot root;
};

TEST_F(ProgramDialogs, EditorHeadingFollowsTheModeThroughTheTextTable) {
    EXPECT_EQ(zt::app::alarm_editor_heading({ StartMode::NewAlarm, {} }), u"New Alarm");
    EXPECT_EQ(zt::app::alarm_editor_heading({ StartMode::NewOneTimeAlarm, {} }), u"New One Time Alarm");
    EXPECT_EQ(zt::app::alarm_editor_heading({ StartMode::EditAlarm, { 4 } }), u"Alarm Options");
    const std::string table = "New Alarm|Neuer Wecker\r\n";
    ASSERT_TRUE(zt::app::CTextTable::instance().load_bytes(
        std::span(reinterpret_cast<const uint8_t*>(table.data()), table.size())));
    EXPECT_EQ(zt::app::alarm_editor_heading({ StartMode::NewAlarm, {} }), u"Neuer Wecker");
}

TEST_F(ProgramDialogs, PlaceholderEditorIsADeviceDialogThatClosesWithOk) {
    std::optional<zt::platform::WindowInfo> seen;
    bool clicked = false;
    QTimer::singleShot(50, [&] {
        seen = zt::platform::find_window(std::u16string_view(u"Dialog"), std::u16string_view(u"New One Time Alarm"));
        if (QWidget* dialog = QApplication::activeModalWidget()) {
            if (auto* box = dialog->findChild<QDialogButtonBox*>()) {
                box->button(QDialogButtonBox::Ok)->click();
                clicked = true;
            }
        }
    });
    zt::app::open_alarm_editor(CommandLine { StartMode::NewOneTimeAlarm, {} }, nullptr);
    EXPECT_TRUE(clicked) << "the OK button ended it";
    ASSERT_TRUE(seen) << "findable while open";
    EXPECT_TRUE(seen->visible);
    EXPECT_FALSE(zt::platform::find_window(std::u16string_view(u"Dialog"))) << "gone once closed";
}

TEST_F(ProgramDialogs, PlaceholderEditorHasTheProgramsLook) {
    ASSERT_TRUE(zt::platform::gui::select_screen_size({ 240, 240 }));  // square: no input-panel preference
    const std::string table = "_LARGE_SMALL_FONTS|1\r\nOK|Gut\r\nNew Alarm|Neuer Wecker\r\n"
                              "The alarm editor is not available in this version.|Noch nicht da.\r\n";
    ASSERT_TRUE(zt::app::CTextTable::instance().load_bytes(
        std::span(reinterpret_cast<const uint8_t*>(table.data()), table.size())));
    zt::app::AlarmEditorPlaceholder editor(CommandLine { StartMode::NewAlarm, {} }, nullptr);
    editor.resize(240, 200);
    editor.show();
    EXPECT_EQ(editor.windowTitle(), "Neuer Wecker");
    auto* ok = editor.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
    EXPECT_EQ(ok->text(), "Gut");
    EXPECT_TRUE(zt::platform::gui::testing::sized_by_cell(ok->font(), 14));
    EXPECT_FALSE(ok->font().bold()) << "large fonts keep push buttons at normal weight";
    auto* text = editor.findChild<QLabel*>();
    ASSERT_TRUE(text);
    EXPECT_EQ(text->text(), "Noch nicht da.");
    EXPECT_EQ(editor.findChild<QWidget*>("SIPPREF"), nullptr);
    ASSERT_TRUE(zt::platform::gui::DialogLook::of(editor));
    EXPECT_EQ(zt::platform::gui::DialogLook::of(editor)->options().heading, u"Neuer Wecker");
    EXPECT_GE(text->geometry().top(), zt::platform::gui::heading_strip_height(zt::app::program_appearance()));
    editor.hide();
}

TEST_F(ProgramDialogs, SharedImageListHasFourIconsOfTheScreensSizeWithMagentaTransparent) {
    EXPECT_TRUE(zt::app::program_bitmap_resource(1).isNull());
    for (bool high_resolution : { false, true }) {
        ASSERT_TRUE(zt::app::create_shared_image_list(high_resolution));
        const auto* list = zt::app::shared_image_list();
        ASSERT_NE(list, nullptr);
        const int size = high_resolution ? 32 : 16;
        EXPECT_EQ(list->image_size(), size);
        ASSERT_EQ(list->count(), zt::app::kProgramImageCount);
        for (int index = 0; index < list->count(); ++index) {
            const QImage image = list->image(index);
            EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0) << "corner keyed out, image " << index;
            EXPECT_EQ(qAlpha(image.pixel(size / 2, size / 2 + size / 8)), 255) << "the icon itself, image " << index;
        }
    }
}

}  // namespace
