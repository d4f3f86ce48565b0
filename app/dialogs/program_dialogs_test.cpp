#include <gtest/gtest.h>

#include <QImage>

#include "app/dialogs/program_images.h"
#include "platform/gui/testing/widget_test_app.h"
#include "platform/testing/temp_device_root.h"
#include "texts/text_table.h"

namespace {

class ProgramDialogs : public ::testing::Test {
protected:
    static void SetUpTestSuite() { zt::platform::gui::testing::widget_test_app(); }
    void TearDown() override { zt::app::CTextTable::instance().clear(); }

    zt::platform::testing::TempDeviceRoot root;
};

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
