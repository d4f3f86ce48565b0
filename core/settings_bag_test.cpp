#include "core/settings_bag.h"

#include <gtest/gtest.h>

#include "contracts/registry_keys.h"
#include "platform/registry/registry.h"
#include "platform/registry/testing/temp_device_root.h"

namespace zt::core {
namespace {

namespace registry = zt::platform::registry;

TEST(SettingsBag, NoSettingsKeyGivesProgramDefaultsAndCreatesNothing) {
    zt::platform::testing::TempDeviceRoot root;
    CSettingsBag bag;
    bag.register_program_defaults();
    bag.register_slide_show_defaults();
    bag.load();
    EXPECT_EQ(bag.number(u"SlideShowEnabled"), 0u);
    EXPECT_EQ(bag.number(u"SlideShowOpacity"), 40u);
    EXPECT_EQ(bag.text(u"SlideShowDir"), u"\\Windows");
    EXPECT_EQ(bag.number(u"ScrMode"), 1u);
    EXPECT_EQ(bag.number(u"ScrTimeout"), 300u);
    EXPECT_EQ(bag.number(u"ScrExtPower"), 1u);
    EXPECT_EQ(bag.text(u"ActiveSkin"), u"Default");
    EXPECT_EQ(bag.number(u"TimersActiveScreen"), 3u);
    EXPECT_EQ(bag.number(u"NotRegistered"), 0u);
    EXPECT_EQ(bag.text(u"NotRegistered"), u"");
    EXPECT_FALSE(registry::Key::open(registry::Root::CurrentUser, contracts::kSettingsKeyPath));
    bag.save();
    auto key = registry::Key::open(registry::Root::CurrentUser, contracts::kSettingsKeyPath);
    ASSERT_TRUE(key) << "the first save creates the key";
    EXPECT_EQ(key->get_dword(u"ScrTimeout"), 300u);
    EXPECT_EQ(key->get_string(u"ActiveSkin"), u"Default");
}

TEST(SettingsBag, LoadReadsStoredValuesAndWrongTypesReadAsDefault) {
    zt::platform::testing::TempDeviceRoot root;
    auto created = registry::Key::create(registry::Root::CurrentUser, contracts::kSettingsKeyPath);
    created->key.set_dword(u"ScrTimeout", 60);
    created->key.set_dword(u"ActiveSkin", 4);
    created->key.set_string(u"ShowSeconds", u"0");
    CSettingsBag bag;
    bag.register_program_defaults();
    std::vector<std::u16string> heard;
    bag.add_observer(u"ScrTimeout", [&](std::u16string_view name, void*) { heard.emplace_back(name); });
    bag.load();
    EXPECT_EQ(bag.number(u"ScrTimeout"), 60u);
    EXPECT_EQ(bag.text(u"ActiveSkin"), u"Default");
    EXPECT_EQ(bag.number(u"ShowSeconds"), 1u);
    EXPECT_EQ(heard.size(), 1u) << "observers hear of each loaded value";
    EXPECT_EQ(created->key.get_dword(u"ShowAlarms"), 1u) << "missing values are written back when the key exists";
}

TEST(SettingsBag, ObserversRunOnlyOnRealChangesOfRegisteredNames) {
    CSettingsBag bag;
    bag.register_number(u"ShowSeconds", 1);
    bag.register_number(u"ShowSeconds", 0);
    EXPECT_EQ(bag.number(u"ShowSeconds"), 1u) << "a second registration keeps the first default";
    bag.register_text(u"ActiveSkin", u"Default");
    int calls = 0;
    int context_value = 5;
    bag.add_observer(u"ShowSeconds", [&](std::u16string_view, void* context) { calls += *static_cast<int*>(context); }, &context_value);
    bag.set_number(u"ShowSeconds", 1);
    EXPECT_EQ(calls, 0) << "same value: no notification";
    bag.set_number(u"ShowSeconds", 0);
    EXPECT_EQ(calls, 5);
    bag.set_number(u"Unknown", 3);
    EXPECT_EQ(bag.number(u"Unknown"), 0u);
    bag.set_text(u"ActiveSkin", u"Black");
    EXPECT_EQ(bag.text(u"ActiveSkin"), u"Black");
}

TEST(SettingsBag, ScreenSaverValuesAsTheOptionsPageStoresThem) {
    EXPECT_EQ(screen_saver_timeout_to_store(5), 10u);
    EXPECT_EQ(screen_saver_timeout_to_store(0), 10u);
    EXPECT_EQ(screen_saver_timeout_to_store(600), 600u);
    EXPECT_EQ(screen_saver_mode_to_store(2, 302), 0u) << "platform 3.02 has no screen saver";
    EXPECT_EQ(screen_saver_mode_to_store(2, 502), 2u);
}

}  // namespace
}  // namespace zt::core
