#include "app/model/screen_sets.h"

#include <gtest/gtest.h>

#include "contracts/registry_keys.h"
#include "core/settings_bag.h"
#include "platform/registry/registry.h"
#include "platform/testing/temp_device_root.h"

namespace zt::app {
namespace {

namespace registry = zt::platform::registry;

TEST(ScreenPositions, TableMapsPositionsToScreensAndSixHasNone) {
    const ScreenNumber expected[] = { ScreenNumber::WorldTime, ScreenNumber::AnalogClock, ScreenNumber::DigitalClock,
                                      ScreenNumber::Stopwatch, ScreenNumber::Countdown, ScreenNumber::TimeCounters };
    for (uint32_t position = 0; position < 6; ++position)
        EXPECT_EQ(screen_of_position(position), expected[position]) << "position " << position;
    EXPECT_FALSE(screen_of_position(kPositionWithoutScreen));
    EXPECT_FALSE(screen_of_position(0xFFFF));
    EXPECT_EQ(positions_of_set(kClocksSet), (std::array<uint32_t, 3> { 1, 2, 0 }));
    EXPECT_EQ(positions_of_set(kTimersSet), (std::array<uint32_t, 3> { 3, 4, 5 }));
}

TEST(ScreenChoiceNormalisation, WorldClockForcesClocksSetAtWorldTime) {
    EXPECT_EQ(normalise_screen_choice({ 1, 2, 5 }, StartMode::WorldClock), (ScreenChoice { 0, 0, 5 }));
    EXPECT_EQ(normalise_screen_choice({ 7, 9, 9 }, StartMode::WorldClock).clocks_position, 0u);
}

TEST(ScreenChoiceNormalisation, UnknownSetResetsEverything) {
    EXPECT_EQ(normalise_screen_choice({ 2, 0, 5 }, StartMode::Normal), (ScreenChoice { 0, 1, 3 }));
    EXPECT_EQ(normalise_screen_choice({ 0xFFFFFFFF, 2, 4 }, StartMode::ScreenSaver), (ScreenChoice { 0, 1, 3 }));
}

TEST(ScreenChoiceNormalisation, PositionsOutsideTheirSetFallBackAndSixIsKept) {
    EXPECT_EQ(normalise_screen_choice({ 1, 3, 2 }, StartMode::Normal), (ScreenChoice { 1, 1, 3 }));
    EXPECT_EQ(normalise_screen_choice({ 0, 6, 6 }, StartMode::Normal), (ScreenChoice { 0, 6, 6 }));
    EXPECT_EQ(normalise_screen_choice({ 0, 2, 7 }, StartMode::Normal), (ScreenChoice { 0, 2, 3 }));
    EXPECT_EQ(normalise_screen_choice({ 1, 0, 5 }, StartMode::Normal), (ScreenChoice { 1, 0, 5 }));
}

class ScreenSetsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(m_root.path().empty());
        m_settings.register_program_defaults();
    }
    void store(uint32_t set, uint32_t clocks, uint32_t timers) {
        auto created = registry::Key::create(registry::Root::CurrentUser, contracts::kSettingsKeyPath);
        ASSERT_TRUE(created);
        created->key.set_dword(kActiveScreenSetValue, set);
        created->key.set_dword(kClocksActiveScreenValue, clocks);
        created->key.set_dword(kTimersActiveScreenValue, timers);
        m_settings.load();
    }
    std::optional<uint32_t> stored(std::u16string_view name) {
        auto key = registry::Key::open(registry::Root::CurrentUser, contracts::kSettingsKeyPath);
        return key ? key->get_dword(name) : std::nullopt;
    }

    platform::testing::TempDeviceRoot m_root;
    core::CSettingsBag m_settings;
};

TEST_F(ScreenSetsTest, StoredSetTwoStartsOnAnalogClockAndStoresTheNormalisedChoice) {
    store(2, 0, 5);
    ScreenSets sets(m_settings);
    sets.initialise(StartMode::Normal);
    EXPECT_EQ(sets.activate_set(sets.active_set()), 1u) << "clocks position 1 is the analog clock";
    EXPECT_EQ(sets.selected_button(), 1);
    sets.toolbar_command(static_cast<uint32_t>(ToolbarCommandType::OtherSet), 0);
    EXPECT_EQ(stored(kActiveScreenSetValue), 1u);
    EXPECT_EQ(stored(kTimersActiveScreenValue), 3u) << "timers position normalised to the stopwatch";
    EXPECT_EQ(stored(kClocksActiveScreenValue), 1u);
}

TEST_F(ScreenSetsTest, WorldClockStartSelectsWorldTimeWhateverWasStored) {
    store(1, 2, 4);
    ScreenSets sets(m_settings);
    sets.initialise(StartMode::WorldClock);
    EXPECT_EQ(sets.active_set(), kClocksSet);
    EXPECT_EQ(sets.activate_set(sets.active_set()), 0u);
    EXPECT_EQ(sets.selected_button(), 3) << "world time is the third button of the clocks set";
    EXPECT_EQ(m_settings.number(kActiveScreenSetValue), 0u);
}

TEST_F(ScreenSetsTest, SwitchCommandsStoreThePositionOfTheActiveSetExceptSix) {
    store(0, 1, 3);
    ScreenSets sets(m_settings);
    sets.initialise(StartMode::Normal);
    sets.activate_set(kClocksSet);
    ToolbarOutcome outcome = sets.toolbar_command(0, ScreenSets::switch_data(2));
    EXPECT_EQ(outcome.switch_to_position, 2u);
    EXPECT_EQ(stored(kClocksActiveScreenValue), 2u) << "settings are written after the command";

    outcome = sets.toolbar_command(0, ScreenSets::switch_data(kPositionWithoutScreen) | 0x1234);
    EXPECT_EQ(outcome.switch_to_position, kPositionWithoutScreen) << "position 6 still switches";
    EXPECT_EQ(stored(kClocksActiveScreenValue), 2u) << "position 6 is never stored";

    outcome = sets.toolbar_command(1, 0);
    EXPECT_EQ(outcome.switch_to_position, 3u) << "the timers set comes back on its remembered position";
    sets.toolbar_command(0, ScreenSets::switch_data(5));
    EXPECT_EQ(stored(kTimersActiveScreenValue), 5u);
    EXPECT_EQ(stored(kClocksActiveScreenValue), 2u);
    EXPECT_EQ(stored(kActiveScreenSetValue), 1u);
    EXPECT_EQ(sets.selected_button(), 3);
}

TEST_F(ScreenSetsTest, OptionsAndForeignTypesOnlyWriteTheSettings) {
    ScreenSets sets(m_settings);
    sets.initialise(StartMode::Normal);
    ToolbarOutcome outcome = sets.toolbar_command(2, 0);
    EXPECT_TRUE(outcome.open_options);
    EXPECT_FALSE(outcome.switch_to_position);
    EXPECT_EQ(stored(kClocksActiveScreenValue), 1u);
    outcome = sets.toolbar_command(77, 0xFFFFFFFF);
    EXPECT_FALSE(outcome.open_options);
    EXPECT_FALSE(outcome.switch_to_position);
}

TEST_F(ScreenSetsTest, SelectionWrapsWithinTheThreeScreenButtons) {
    ScreenSets sets(m_settings);
    sets.initialise(StartMode::Normal);
    sets.activate_set(kClocksSet);
    ASSERT_EQ(sets.selected_button(), 1);
    sets.move_selection(-1);
    EXPECT_EQ(sets.selected_button(), 3);
    EXPECT_EQ(sets.selected_position(), 0u);
    sets.move_selection(1);
    sets.move_selection(1);
    EXPECT_EQ(sets.selected_button(), 2);
    EXPECT_EQ(sets.selected_position(), 2u);
}

}  // namespace
}  // namespace zt::app
