#include "app/model/world_screen_layout.h"

#include <gtest/gtest.h>

namespace zt::app {
namespace {

constexpr WorldScreenSizes kSmall { { 240, 120 }, { 120, 48 }, { 24, 24 } };

TEST(WorldScreenLayoutTest, NormalModeStacksTheMapOverTwoRowsOfPanels) {
    // 240 x 320 portrait: the area between the task bar and the toolbar.
    const WorldScreenLayout portrait = lay_out_world_screen({ 0, 0, 240, 240 }, false, kSmall);
    EXPECT_EQ(portrait.map_view, (skins::Rect { 0, 12, 240, 132 }));
    EXPECT_EQ(portrait.map_first_row, 0);
    EXPECT_EQ(portrait.panels[0], (skins::Rect { 0, 132, 120, 180 }));
    EXPECT_EQ(portrait.panels[3], (skins::Rect { 120, 180, 240, 228 }));
    EXPECT_EQ(portrait.button, (skins::Rect { 216, 12, 240, 36 }));

    // Too short for the whole map: the polar rows go, evenly.
    const WorldScreenLayout square = lay_out_world_screen({ 32, 0, 240, 160 }, false, { { 240, 120 }, { 104, 34 }, { 24, 24 } });
    EXPECT_EQ(square.map_view, (skins::Rect { 32, 0, 240, 92 }));
    EXPECT_EQ(square.map_first_row, 14);
    EXPECT_EQ(square.panels[1].right, 240);
}

TEST(WorldScreenLayoutTest, FullScreenShowsAWindowOfTheBigMap) {
    const WorldScreenLayout full = lay_out_world_screen({ 0, 0, 240, 292 }, true, { { 480, 240 }, { 120, 48 }, { 24, 24 } });
    EXPECT_EQ(full.map_view, (skins::Rect { 0, 26, 240, 266 }));
    EXPECT_EQ(full.panels[0], skins::Rect {});
    EXPECT_EQ(map_column(0, 120, 480), 120);
    EXPECT_EQ(map_column(239, 400, 480), 159) << "the second piece starts again at column 0";
    EXPECT_EQ(map_column(5, -10, 480), 475);
}

TEST(WorldScreenLayoutTest, PanelSquaresAtTheBottomRight) {
    const skins::Rect panel { 0, 0, 120, 48 };
    EXPECT_EQ(panel_tap(panel, { 119, 47 }, false), PanelTap::OpenList);
    EXPECT_EQ(panel_tap(panel, { 100, 28 }, false), PanelTap::OpenList);
    EXPECT_EQ(panel_tap(panel, { 99, 40 }, false), PanelTap::AssignCity) << "the list square wins only where they overlap";
    EXPECT_EQ(panel_tap(panel, { 84, 40 }, false), PanelTap::AssignCity);
    EXPECT_EQ(panel_tap(panel, { 83, 40 }, false), PanelTap::SelectCity);
    EXPECT_EQ(panel_tap(panel, { 100, 27 }, false), PanelTap::SelectCity);
    EXPECT_EQ(panel_tap(panel, { 120, 47 }, false), std::nullopt);
    const skins::Rect big { 0, 0, 240, 96 };
    EXPECT_EQ(panel_tap(big, { 200, 56 }, true), PanelTap::OpenList);
    EXPECT_EQ(panel_tap(big, { 199, 56 }, true), PanelTap::AssignCity);
    EXPECT_EQ(panel_tap(big, { 167, 56 }, true), PanelTap::SelectCity);
}

}  // namespace
}  // namespace zt::app
