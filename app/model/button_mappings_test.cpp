#include "app/model/button_mappings.h"

#include <gtest/gtest.h>

#include "contracts/registry_keys.h"
#include "platform/registry/registry.h"
#include "platform/testing/temp_device_root.h"

namespace zt::app {
namespace {

namespace registry = platform::registry;

std::optional<std::vector<uint8_t>> stored(std::u16string_view value) {
    auto key = registry::Key::open(registry::Root::CurrentUser, contracts::kMappingsKeyPath);
    return key ? key->get_binary(value) : std::nullopt;
}

TEST(ButtonMappingsTest, TheStopwatchAndTheCountersShareAProfileAndAKeyBindsOnce) {
    CButtonMappings mappings;
    mappings.select_for_screen(3);
    ASSERT_EQ(mappings.current_profile(), 4u);
    EXPECT_EQ(mappings.bind(1, 193), 193u) << "Button 1 to Lap/Reset";
    mappings.select_for_screen(4);
    EXPECT_EQ(mappings.action_for_key(193), static_cast<int>(MappedAction::LapReset)) << "the time counters too";
    EXPECT_EQ(mappings.bind(0, 193), 0u) << "already bound in the profile: none";
    EXPECT_FALSE(mappings.is_key_mapped(194));
    mappings.select_for_screen(9);
    EXPECT_EQ(mappings.current_profile(), 4u) << "no such profile: unchanged";
    mappings.select_for_screen(2);
    EXPECT_FALSE(mappings.is_key_mapped(193)) << "world time has its own profile";
}

TEST(ButtonMappingsTest, ProfilesAreStoredAsSixteenBitPairsAndReadForgivingly) {
    platform::testing::TempDeviceRoot root;
    CButtonMappings mappings;
    mappings.select_profile(1);
    mappings.bind(2, 13);  // Action key: Show/Hide Calendar on the digital clock
    mappings.save();
    EXPECT_EQ(stored(u"1"), (std::vector<uint8_t> { 0, 0, 0, 0, 6, 0, 0, 0, 5, 0, 13, 0, 4, 0, 0, 0 }));
    EXPECT_EQ(stored(u"3"), std::vector<uint8_t> {}) << "the empty profile stores an empty value";

    CButtonMappings again;
    again.load();
    again.select_profile(1);
    EXPECT_EQ(again.action_for_key(13), static_cast<int>(MappedAction::ShowHideCalendar));
    EXPECT_TRUE(again.entries(3).empty());

    // 0xFFFF matches no entry, action 9 is unknown, the odd trailing byte ends the value.
    again.decode(0, std::vector<uint8_t> { 0xFF, 0xFF, 40, 0, 9, 0, 38, 0, 4, 0, 196, 0, 6 });
    again.select_profile(0);
    EXPECT_FALSE(again.is_key_mapped(40));
    EXPECT_FALSE(again.is_key_mapped(38));
    EXPECT_EQ(again.action_for_key(196), static_cast<int>(MappedAction::ToggleFullScreen));
}

TEST(ButtonMappingsTest, KeysAndActionsHaveNames) {
    EXPECT_EQ(mapped_key_name(0), u"");
    EXPECT_EQ(mapped_key_name(13), u"Action");
    EXPECT_EQ(mapped_key_name(39), u"Right");
    EXPECT_EQ(mapped_key_name(193), u"Button 1");
    EXPECT_EQ(mapped_key_name(207), u"Button 15");
    EXPECT_EQ(mapped_key_name(208), u"Key Code 208");
    EXPECT_EQ(mapped_action_name(3), u"Save Laps");
    EXPECT_EQ(mapped_action_name(7), u"");
}

}  // namespace
}  // namespace zt::app
