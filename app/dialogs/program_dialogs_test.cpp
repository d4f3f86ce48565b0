#include <gtest/gtest.h>

#include <QApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include <chrono>
#include <thread>

#include "app/dialogs/program_dialogs.h"
#include "app/dialogs/program_images.h"
#include "app/dialogs/program_look.h"
#include "app/model/testing/window_recorder.h"
#include "contracts/today_item.h"
#include "platform/gui/screen_metrics.h"
#include "platform/gui/testing/font_cell.h"
#include "platform/gui/testing/widget_test_app.h"
#include "platform/testing/eventually.h"
#include "platform/testing/temp_device_root.h"
#include "platform/windows/message_sender.h"
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

TEST_F(ProgramDialogs, CityChooserWithoutTheAddCityDialogSendsNothingAndReturns) {
    zt::app::testing::WindowRecorder requester(zt::contracts::kTodayItemClass);
    ASSERT_NE(requester.handle(), 0u);
    zt::app::run_city_chooser(CommandLine { StartMode::ChooseCity, { requester.handle(), 1, 1, 1 } }, nullptr);
    zt::platform::post_message(requester.handle(), 0x0401);  // a marker: everything before it has arrived
    ASSERT_TRUE(zt::platform::testing::eventually([&] { return !requester.messages().empty(); },
                                                  zt::platform::testing::kPatience, "the marker message"));
    const auto received = requester.messages();
    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ(received[0].number, 0x0401u) << "no answer, as after a cancel";
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
