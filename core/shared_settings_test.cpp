// The settings shared beside the store: the Today item's and the add-city dialog's.
#include "core/shared_settings.h"

#include <gtest/gtest.h>

#include "contracts/registry_keys.h"
#include "platform/registry/registry.h"
#include "platform/testing/temp_device_root.h"

namespace zt::core {
namespace {

namespace registry = zt::platform::registry;

class SharedSettings : public ::testing::Test {
protected:
    // The Settings key, made when missing.
    static registry::Key settings_key() {
        auto created = registry::Key::create(registry::Root::CurrentUser, contracts::kSettingsKeyPath);
        EXPECT_TRUE(created);
        return std::move(created->key);
    }

    zt::platform::testing::TempDeviceRoot m_root;
};

TEST_F(SharedSettings, TodayDefaultsLoadAndSave) {
    TodaySettings today;
    EXPECT_EQ(today.skin_name, u"");
    EXPECT_EQ(today.cities_count, 4u);
    EXPECT_EQ(today.city_index, TodaySettings::kNoCity);
    today.load();
    EXPECT_EQ(today.skin_name, u"default");
    EXPECT_EQ(today.view, 1u);
    EXPECT_EQ(today.cities_count, 1u);
    EXPECT_EQ(today.city_index, TodaySettings::kNoCity);
    EXPECT_FALSE(registry::Key::open(registry::Root::CurrentUser, contracts::kSettingsKeyPath)) << "reading creates no key";

    settings_key();
    today.load();
    EXPECT_EQ(settings_key().get_dword(u"CityIndex"), 100u) << "a missing CityIndex is written as 100";
    today.city_index = 2;
    today.hide_icon = true;
    today.save();
    TodaySettings other;
    other.load();
    EXPECT_EQ(other.city_index, 2);
    EXPECT_TRUE(other.hide_icon);
    other.city_index = TodaySettings::kNoCity;
    other.save();
    EXPECT_EQ(settings_key().get_dword(u"CityIndex"), 100u);
}

TEST_F(SharedSettings, AddCityOptionsRoundTrip) {
    AddCityOptions options;
    options.city = 12;
    options.counts = { 3, 0, 7 };
    save_add_city_options(options);
    std::u16string text = *settings_key().get_string(u"Add City Options");
    EXPECT_EQ(text.find(u"state="), std::u16string::npos) << "a zero state is not written";
    AddCityOptions loaded = load_add_city_options();
    EXPECT_EQ(loaded.state, 0u);
    EXPECT_EQ(loaded.city, 12u);
    EXPECT_EQ(loaded.counts, (std::vector<uint32_t> { 3, 0, 7 }));
    ASSERT_EQ(settings_key().set_string(u"Add City Options", u"cnt0=1;cnt2=5"), registry::Status::Ok);
    EXPECT_EQ(load_add_city_options().counts, (std::vector<uint32_t> { 1 })) << "stops at the first gap";
    ASSERT_EQ(settings_key().set_string(u"Add City Options", u"garbage"), registry::Status::Ok);
    EXPECT_TRUE(load_add_city_options().counts.empty());
}

}  // namespace
}  // namespace zt::core
