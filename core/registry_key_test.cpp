#include "core/registry_key.h"

#include <gtest/gtest.h>

#include "platform/registry/registry.h"
#include "platform/testing/temp_device_root.h"

namespace zt::core {
namespace {

namespace registry = zt::platform::registry;
constexpr char16_t kPath[] = u"Software\\Zunworks\\Zun Time\\Test";

TEST(RegistryKeyDefaults, MissingValuesAreWrittenBackExceptTheAbsentMarker) {
    zt::platform::testing::TempDeviceRoot root;
    {
        CRegistryKey key(RegistryRoot::CurrentUser, kPath, true, true);
        ASSERT_TRUE(key.is_open());
        EXPECT_TRUE(key.newly_created());
        EXPECT_EQ(key.read_number(u"Count", 7), 7u);
        EXPECT_EQ(key.read_number(u"Probe", CRegistryKey::kAbsentNumber), CRegistryKey::kAbsentNumber);
        EXPECT_EQ(key.read_string(u"Skin", u"Default"), u"Default");
    }
    auto stored = registry::Key::open(registry::Root::CurrentUser, kPath);
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->get_dword(u"Count"), 7u);
    EXPECT_FALSE(stored->get_dword(u"Probe")) << "0xDEF0 is never written";
    EXPECT_EQ(stored->get_string(u"Skin"), u"Default");
}

TEST(RegistryKeyDefaults, WrongTypesReadAsDefaultAndStayUntouched) {
    zt::platform::testing::TempDeviceRoot root;
    auto created = registry::Key::create(registry::Root::CurrentUser, kPath);
    ASSERT_TRUE(created);
    created->key.set_string(u"Number", u"12");
    created->key.set_dword(u"Text", 5);
    const uint8_t three[] = { 1, 2, 3 };
    created->key.set_value(u"Short", registry::ValueType::Dword, three);
    CRegistryKey key(RegistryRoot::CurrentUser, kPath, false, false);
    EXPECT_EQ(key.read_number(u"Number", 9), 9u);
    EXPECT_EQ(key.read_number(u"Short", 9), 9u) << "a 3-byte DWORD is malformed";
    EXPECT_EQ(key.read_string(u"Text", u"d"), u"d");
    EXPECT_EQ(created->key.get_string(u"Number"), u"12");
    EXPECT_EQ(created->key.get_dword(u"Text"), 5u);
}

TEST(RegistryKeyDefaults, UnopenedKeyGivesDefaultsAndCreatesNothing) {
    zt::platform::testing::TempDeviceRoot root;
    {
        CRegistryKey key(RegistryRoot::CurrentUser, kPath, false, true);
        EXPECT_FALSE(key.is_open());
        EXPECT_EQ(key.read_number(u"Count", 3), 3u);
        key.write_number(u"Count", 4);
    }
    EXPECT_FALSE(registry::Key::open(registry::Root::CurrentUser, kPath));
}

}  // namespace
}  // namespace zt::core
