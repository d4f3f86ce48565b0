// The buttons page offscreen: binding keys through its selectors, the profile the stopwatch and
// the counters share, the one-action-per-key rule, and the keys and columns a screen's shape gets.
#include "app/dialogs/buttons_page.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QTreeWidget>

#include "platform/gui/key_codes.h"
#include "platform/gui/screen_metrics.h"
#include "platform/gui/testing/widget_test_app.h"
#include "platform/testing/temp_device_root.h"

namespace zt::app {
namespace {

namespace gui = platform::gui;

class ButtonsPageTest : public ::testing::Test {
protected:
    void SetUp() override { gui::testing::widget_test_app(); }

    // Chooses the key the selector offers with that code, as the user picks it.
    static void choose_key(CButtonsPage& page, int row, uint32_t key) {
        page.list().setCurrentItem(page.list().topLevelItem(row));
        const std::vector<uint32_t> keys = selectable_keys(gui::read_screen_metrics().square());
        const auto at = std::find(keys.begin(), keys.end(), key);
        ASSERT_NE(at, keys.end()) << "key " << key << " is offered";
        page.key_selector().setCurrentIndex(static_cast<int>(at - keys.begin()));
    }

    platform::testing::TempDeviceRoot root;
};

TEST_F(ButtonsPageTest, ButtonBoundOnStopwatchWorksOnCountersAndATakenKeyFallsBackToNone) {
    CButtonMappings mappings;
    mappings.select_for_screen(5);
    CButtonsPage page(mappings);
    EXPECT_EQ(page.screen_selector().currentIndex(), 4) << "opens on the countdown screen the user came from";
    EXPECT_FALSE(page.key_selector().isEnabled()) << "no row, no key to choose";

    page.screen_selector().setCurrentIndex(3);  // "Stopwatch and Counters"
    ASSERT_EQ(page.list().topLevelItemCount(), 3);
    EXPECT_EQ(page.list().topLevelItem(1)->text(0), "Lap/Reset");
    choose_key(page, 1, gui::VK_APP1);
    EXPECT_EQ(page.list().topLevelItem(1)->text(1), "Button 1") << "the row is redrawn";

    choose_key(page, 0, gui::VK_APP1);
    EXPECT_EQ(page.list().topLevelItem(0)->text(1), "") << "Button 1 already runs Lap/Reset";
    EXPECT_EQ(page.key_selector().currentIndex(), 0) << "the selector falls back to none";
    choose_key(page, 0, gui::VK_LEFT);
    page.list().setCurrentItem(page.list().topLevelItem(1));
    EXPECT_EQ(page.key_selector().currentText(), "Button 1") << "a selected row shows its key";

    EXPECT_EQ(mappings.action_for_key(gui::VK_APP1), kNoMappedAction) << "nothing changes before OK";
    page.save();
    EXPECT_EQ(mappings.current_profile(), 5u) << "the active screen keeps its profile";
    for (uint32_t screen : { 3u, 4u }) {
        mappings.select_for_screen(screen);
        EXPECT_EQ(mappings.action_for_key(gui::VK_APP1), static_cast<int>(MappedAction::LapReset)) << "screen " << screen;
        EXPECT_EQ(mappings.action_for_key(gui::VK_LEFT), static_cast<int>(MappedAction::StartStopTimer));
    }
}

TEST_F(ButtonsPageTest, SquareScreenOffersFiveKeysWithNarrowColumnsTallHighResolutionTenWithWide) {
    struct Shape {
        gui::ScreenSize size;
        std::vector<uint32_t> keys;
        int column;
    };
    const std::vector<Shape> shapes {
        { { 240, 240 }, { 0, 193, 194, 195, 196 }, 100 },
        { { 240, 320 }, { 0, 37, 39, 38, 40, 13, 193, 194, 195, 196 }, 100 },
        { { 480, 640 }, { 0, 37, 39, 38, 40, 13, 193, 194, 195, 196 }, 200 },
    };
    for (const Shape& shape : shapes) {
        ASSERT_TRUE(gui::select_screen_size(shape.size));
        CButtonMappings mappings;
        CButtonsPage page(mappings);
        const std::string where = std::to_string(shape.size.width) + "x" + std::to_string(shape.size.height);
        EXPECT_EQ(selectable_keys(gui::read_screen_metrics().square()), shape.keys) << where;
        ASSERT_EQ(page.key_selector().count(), static_cast<int>(shape.keys.size())) << where;
        EXPECT_EQ(page.list().columnWidth(0), shape.column) << where;
        EXPECT_EQ(page.list().columnWidth(1), shape.column) << where;
        EXPECT_LE(page.minimumSizeHint().width(), shape.size.width) << where << ": the page fits";
    }
}

}  // namespace
}  // namespace zt::app
