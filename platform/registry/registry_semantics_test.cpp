#include <gtest/gtest.h>

#include <thread>

#include "platform/base/text.h"
#include "platform/registry/registry.h"
#include "platform/testing/temp_device_root.h"
#include "platform/registry/value_codec.h"

namespace zt::platform::registry {
namespace {

class RegistryTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_FALSE(m_root.path().empty()) << "no temporary device root"; }

    static Key make(std::u16string_view path, Root root = Root::CurrentUser) {
        auto created = Key::create(root, path);
        EXPECT_TRUE(created.has_value()) << "cannot create key";
        return std::move(created->key);
    }
    static std::vector<std::u16string> value_names(const Key& key) {
        std::vector<std::u16string> names;
        for (uint32_t i = 0; auto info = key.enum_value(i); ++i) names.push_back(info->name);
        return names;
    }
    static std::vector<std::u16string> subkey_names(const Key& key) {
        std::vector<std::u16string> names;
        for (uint32_t i = 0; auto name = key.enum_subkey(i); ++i) names.push_back(*name);
        return names;
    }

    testing::TempDeviceRoot m_root;
};

using Names = std::vector<std::u16string>;

std::u16string to_name(int thread, uint32_t index) {
    return to_u16("t" + std::to_string(thread) + "-" + std::to_string(index));
}

TEST_F(RegistryTest, KeyNamesIgnoreCaseAndKeepTheFirstSpelling) {
    auto first = Key::create(Root::CurrentUser, u"Software\\Zunworks");
    ASSERT_TRUE(first);
    EXPECT_TRUE(first->newly_created);
    auto again = Key::create(Root::CurrentUser, u"SOFTWARE\\zunworks");
    ASSERT_TRUE(again);
    EXPECT_FALSE(again->newly_created) << "a differently cased path must reach the same key";
    EXPECT_EQ(again->key.name(), u"Software\\Zunworks");

    auto opened = Key::open(Root::CurrentUser, u"\\software\\ZUNWORKS");
    ASSERT_TRUE(opened) << "leading backslash and other case must still open the key";
    EXPECT_EQ(opened->name(), u"Software\\Zunworks");

    auto software = Key::open(Root::CurrentUser, u"software");
    ASSERT_TRUE(software);
    EXPECT_EQ(subkey_names(*software), Names { u"Zunworks" });

    EXPECT_EQ(delete_tree(Root::CurrentUser, u"SOFTWARE\\Zunworks"), Status::Ok);
    EXPECT_FALSE(Key::open(Root::CurrentUser, u"Software\\Zunworks"));
}

TEST_F(RegistryTest, CaseFoldingCoversLettersBeyondAscii) {
    make(u"\u00C4rger\\\u0416\u0443\u043A");  // Ärger\Жук
    EXPECT_TRUE(Key::open(Root::CurrentUser, u"\u00E4RGER\\\u0436\u0423\u041A"));
}

TEST_F(RegistryTest, ValueNamesIgnoreCaseAndOverwriteKeepsFirstSpelling) {
    Key key = make(u"Values");
    ASSERT_EQ(key.set_dword(u"Count", 1), Status::Ok);
    ASSERT_EQ(key.set_dword(u"COUNT", 2), Status::Ok);
    EXPECT_EQ(key.get_dword(u"count"), 2u);
    EXPECT_EQ(value_names(key), Names { u"Count" });
    EXPECT_EQ(key.delete_value(u"cOUNT"), Status::Ok);
    EXPECT_EQ(key.delete_value(u"Count"), Status::NotFound);
}

TEST_F(RegistryTest, HivesAreSeparate) {
    make(u"Shared").set_dword(u"Where", 1);
    make(u"Shared", Root::LocalMachine).set_dword(u"Where", 2);
    EXPECT_EQ(Key::open(Root::CurrentUser, u"Shared")->get_dword(u"Where"), 1u);
    EXPECT_EQ(Key::open(Root::LocalMachine, u"Shared")->get_dword(u"Where"), 2u);
}

TEST_F(RegistryTest, CreateMakesParentsAndReportsOnlyTheLastComponent) {
    auto deep = Key::create(Root::CurrentUser, u"a\\b\\c");
    ASSERT_TRUE(deep);
    EXPECT_TRUE(deep->newly_created);
    EXPECT_TRUE(Key::open(Root::CurrentUser, u"a\\b"));

    auto sibling = Key::create(Root::CurrentUser, u"a\\b\\d");
    ASSERT_TRUE(sibling);
    EXPECT_TRUE(sibling->newly_created) << "existing parents must not hide a new leaf";

    auto parent = Key::open(Root::CurrentUser, u"a");
    ASSERT_TRUE(parent);
    auto below = parent->create_subkey(u"b\\c");
    ASSERT_TRUE(below);
    EXPECT_FALSE(below->newly_created);
    EXPECT_EQ(below->key.name(), u"a\\b\\c");
    auto self = parent->open_subkey(u"");
    ASSERT_TRUE(self);
    EXPECT_EQ(self->name(), u"a");
}

TEST_F(RegistryTest, OpenFailsForMissingOrMalformedPaths) {
    make(u"present\\child");
    EXPECT_FALSE(Key::open(Root::CurrentUser, u"absent"));
    EXPECT_FALSE(Key::open(Root::CurrentUser, u"present\\absent"));
    EXPECT_FALSE(Key::open(Root::CurrentUser, u"present\\\\child")) << "empty component";
    EXPECT_TRUE(Key::open(Root::CurrentUser, u"present\\child\\")) << "one trailing separator is allowed";
    EXPECT_FALSE(Key::create(Root::CurrentUser, std::u16string(256, u'k'))) << "over-long component";
    EXPECT_TRUE(Key::create(Root::CurrentUser, std::u16string(255, u'k')));
}

TEST_F(RegistryTest, QueryReportsTypeAndSizeThenData) {
    Key key = make(u"Query");
    ASSERT_EQ(key.set_string(u"Text", u"abc"), Status::Ok);

    ValueType type = ValueType::None;
    uint32_t size = 0;
    ASSERT_EQ(key.query_value(u"Text", &type, nullptr, &size), Status::Ok);
    EXPECT_EQ(type, ValueType::Sz);
    EXPECT_EQ(size, 8u) << "three UTF-16 units plus the terminating NUL";

    uint8_t small[4] = {};
    size = sizeof small;
    EXPECT_EQ(key.query_value(u"Text", &type, small, &size), Status::MoreData);
    EXPECT_EQ(size, 8u);

    uint8_t exact[8] = {};
    size = sizeof exact;
    ASSERT_EQ(key.query_value(u"Text", nullptr, exact, &size), Status::Ok);
    const uint8_t expected[8] = { 'a', 0, 'b', 0, 'c', 0, 0, 0 };
    EXPECT_EQ(std::vector<uint8_t>(exact, exact + 8), std::vector<uint8_t>(expected, expected + 8));

    ASSERT_EQ(key.set_dword(u"Number", 0x01020304), Status::Ok);
    uint8_t dword[16] = {};
    size = sizeof dword;
    ASSERT_EQ(key.query_value(u"Number", &type, dword, &size), Status::Ok);
    EXPECT_EQ(type, ValueType::Dword);
    ASSERT_EQ(size, 4u);
    EXPECT_EQ(dword[0], 0x04);
    EXPECT_EQ(dword[3], 0x01);

    EXPECT_EQ(key.query_value(u"Missing", &type, nullptr, &size), Status::NotFound);
    EXPECT_EQ(key.query_value(u"Text", &type, exact, nullptr), Status::InvalidArgument);
}

TEST_F(RegistryTest, EmptyNameIsTheDefaultValue) {
    Key key = make(u"Defaults");
    ASSERT_EQ(key.set_string(u"", u"the default"), Status::Ok);
    ASSERT_EQ(key.set_string(u"Other", u"x"), Status::Ok);
    EXPECT_EQ(key.get_string(u""), u"the default");
    EXPECT_EQ(value_names(key), (Names { u"", u"Other" }));
    EXPECT_EQ(key.delete_value(u""), Status::Ok);
    EXPECT_FALSE(key.get_string(u""));
}

TEST_F(RegistryTest, TypedReadersRejectOtherTypesAndSizes) {
    Key key = make(u"Typed");
    key.set_string(u"Text", u"12");
    key.set_value(u"Short", ValueType::Dword, std::vector<uint8_t> { 1, 2, 3 });
    key.set_value(u"Expand", ValueType::ExpandSz, encode_sz(u"%TEMP%"));
    key.set_dword(u"Number", 7);
    key.set_binary(u"Empty", {});

    EXPECT_FALSE(key.get_dword(u"Text")) << "a string is not a number";
    EXPECT_FALSE(key.get_dword(u"Short")) << "a DWORD needs exactly 4 bytes";
    EXPECT_FALSE(key.get_string(u"Number"));
    EXPECT_EQ(key.get_string(u"Expand"), u"%TEMP%");
    EXPECT_EQ(key.get_binary(u"Text"), encode_sz(u"12")) << "raw bytes of any type";
    auto empty = key.get_binary(u"Empty");
    ASSERT_TRUE(empty) << "an empty binary value exists";
    EXPECT_TRUE(empty->empty());
}

TEST_F(RegistryTest, RawValuesKeepAnyTypeAndBytesExactly) {
    Key key = make(u"Raw");
    const std::vector<uint8_t> bytes { 0, 255, 0, 1, 0x80 };
    ASSERT_EQ(key.set_value(u"Odd", static_cast<ValueType>(0xFFFFFFF0u), bytes), Status::Ok);
    auto info = key.enum_value(0);
    ASSERT_TRUE(info);
    EXPECT_EQ(static_cast<uint32_t>(info->type), 0xFFFFFFF0u);
    EXPECT_EQ(info->data, bytes);

    // Unpaired surrogates are not valid UTF-16 text but must survive in names and data.
    const std::u16string lone { u'x', char16_t(0xD800), u'y' };
    ASSERT_EQ(key.set_string(lone, lone), Status::Ok);
    EXPECT_EQ(key.get_string(lone), lone);
    EXPECT_EQ(key.enum_value(1)->name, lone);
}

TEST_F(RegistryTest, MultiStringsRoundTripAndRefuseEmptyEntries) {
    Key key = make(u"Multi");
    const Names lines { u"one", u"two words", u"\u00FCber" };
    ASSERT_EQ(key.set_multi_string(u"List", lines), Status::Ok);
    EXPECT_EQ(decode_multi_sz(*key.get_binary(u"List")), lines);
    EXPECT_EQ(key.set_multi_string(u"Bad", { u"a", u"", u"b" }), Status::InvalidArgument);
    EXPECT_FALSE(key.get_binary(u"Bad"));
}

TEST_F(RegistryTest, ValuesEnumerateInCreationOrderThroughOverwriteAndDelete) {
    Key key = make(u"Order");
    for (auto name : { u"zeta", u"alpha", u"mid" }) key.set_dword(name, 0);
    EXPECT_EQ(value_names(key), (Names { u"zeta", u"alpha", u"mid" })) << "not sorted: creation order";
    key.set_string(u"ALPHA", u"now a string");
    EXPECT_EQ(value_names(key), (Names { u"zeta", u"alpha", u"mid" })) << "overwrite keeps the place";
    key.delete_value(u"zeta");
    key.set_dword(u"zeta", 1);
    EXPECT_EQ(value_names(key), (Names { u"alpha", u"mid", u"zeta" })) << "re-created value goes last";
    EXPECT_FALSE(key.enum_value(3));
}

// Listing walks the indices in turn; whatever changes between two calls, each call answers
// what the index names at that moment, as if it were asked alone.
TEST_F(RegistryTest, EachEnumerationIndexNamesTheItemThereAtThatMoment) {
    Key key = make(u"Walk");
    Key other = make(u"Beside");
    for (auto name : { u"a", u"b", u"c", u"d", u"e" }) key.set_dword(name, 0);
    for (auto name : { u"x", u"y" }) other.set_dword(name, 0);
    EXPECT_EQ(key.enum_value(0)->name, u"a");
    EXPECT_EQ(key.enum_value(1)->name, u"b");
    ASSERT_EQ(key.delete_value(u"a"), Status::Ok);
    EXPECT_EQ(key.enum_value(2)->name, u"d") << "after a delete, index 2 is the third of b c d e";
    key.set_dword(u"b", 7);  // an overwrite keeps places, but is a write all the same
    EXPECT_EQ(key.enum_value(3)->name, u"e");
    EXPECT_EQ(other.enum_value(0)->name, u"x") << "another key's listing in between";
    EXPECT_EQ(key.enum_value(1)->name, u"c") << "going back";
    EXPECT_EQ(key.enum_value(1)->name, u"c") << "asking the same index again";
    EXPECT_EQ(other.enum_value(1)->name, u"y");
    EXPECT_FALSE(other.enum_value(2));
    EXPECT_EQ(key.enum_value(2)->name, u"d");
    EXPECT_FALSE(key.enum_value(4));
    EXPECT_FALSE(key.enum_value(5)) << "past the end stays past the end";

    Key parent = make(u"Tree");
    for (auto name : { u"k1", u"k2", u"k3" }) parent.create_subkey(name);
    EXPECT_EQ(*parent.enum_subkey(0), u"k1");
    ASSERT_EQ(parent.delete_subkey(u"k1"), Status::Ok);
    EXPECT_EQ(*parent.enum_subkey(1), u"k3");
    EXPECT_FALSE(parent.enum_subkey(2));
}

TEST_F(RegistryTest, SubkeysEnumerateInCreationOrder) {
    Key key = make(u"Parent");
    for (auto name : { u"Zulu", u"alpha", u"Mike" }) key.create_subkey(name);
    key.create_subkey(u"ZULU\\below");
    EXPECT_EQ(subkey_names(key), (Names { u"Zulu", u"alpha", u"Mike" }));
    key.delete_subkey(u"alpha");
    key.create_subkey(u"Alpha");
    EXPECT_EQ(subkey_names(key), (Names { u"Zulu", u"Mike", u"Alpha" }));
}

TEST_F(RegistryTest, DeleteKeyIsRefusedWhileItHasSubkeys) {
    Key parent = make(u"Tree\\Leaf");
    parent.set_dword(u"Kept", 1);
    EXPECT_EQ(delete_key(Root::CurrentUser, u"Tree"), Status::HasSubkeys);
    EXPECT_TRUE(Key::open(Root::CurrentUser, u"Tree\\Leaf")) << "a refused delete changes nothing";
    EXPECT_EQ(Key::open(Root::CurrentUser, u"Tree\\Leaf")->get_dword(u"Kept"), 1u);
    EXPECT_EQ(delete_key(Root::CurrentUser, u"Tree\\Leaf"), Status::Ok);
    EXPECT_EQ(delete_key(Root::CurrentUser, u"Tree"), Status::Ok);
    EXPECT_EQ(delete_key(Root::CurrentUser, u"Tree"), Status::NotFound);
    EXPECT_EQ(delete_key(Root::CurrentUser, u""), Status::InvalidArgument);
}

TEST_F(RegistryTest, DeleteTreeRemovesEverythingBelowAndNothingBeside) {
    make(u"T\\a\\deep\\deeper").set_dword(u"v", 1);
    make(u"T\\a").set_dword(u"v", 2);
    make(u"T\\ab").set_dword(u"v", 3);
    EXPECT_EQ(delete_tree(Root::CurrentUser, u"T\\A"), Status::Ok);
    EXPECT_FALSE(Key::open(Root::CurrentUser, u"T\\a\\deep"));
    EXPECT_EQ(Key::open(Root::CurrentUser, u"T\\ab")->get_dword(u"v"), 3u);
    EXPECT_EQ(delete_tree(Root::CurrentUser, u"T\\a"), Status::NotFound);
    for (auto whole_hive : { u"", u"\\", u"\\\\" })
        EXPECT_EQ(delete_tree(Root::CurrentUser, whole_hive), Status::InvalidArgument) << "a hive is never wiped by accident";

    // Re-created under the same name, the key starts empty: no orphaned values come back.
    EXPECT_FALSE(make(u"T\\a\\deep\\deeper").get_dword(u"v"));
}

TEST_F(RegistryTest, DeleteTreeWithEmptyPathClearsTheKeyButKeepsIt) {
    Key key = make(u"Clear");
    key.set_dword(u"v", 1);
    key.create_subkey(u"x\\y");
    ASSERT_EQ(key.delete_tree(u""), Status::Ok);
    EXPECT_FALSE(key.enum_value(0));
    EXPECT_FALSE(key.enum_subkey(0));
    EXPECT_EQ(key.set_dword(u"after", 2), Status::Ok) << "the key itself survives";
}

TEST_F(RegistryTest, HandleOfADeletedKeyFailsEvenAfterTheNameIsReused) {
    Key stale = make(u"Doomed");
    stale.set_dword(u"v", 1);
    ASSERT_EQ(delete_tree(Root::CurrentUser, u"Doomed"), Status::Ok);
    EXPECT_EQ(stale.set_dword(u"v", 2), Status::NotFound);
    EXPECT_FALSE(stale.get_dword(u"v"));
    EXPECT_FALSE(stale.enum_value(0));
    EXPECT_FALSE(stale.create_subkey(u"child"));
    EXPECT_EQ(stale.flush(), Status::NotFound);

    Key fresh = make(u"Doomed");
    EXPECT_EQ(stale.set_dword(u"v", 3), Status::NotFound);
    EXPECT_FALSE(fresh.get_dword(u"v")) << "the stale handle must not write into the new key";
}

TEST_F(RegistryTest, MovedFromHandleFailsCleanly) {
    Key key = make(u"Moved");
    Key taken = std::move(key);
    EXPECT_EQ(key.set_dword(u"v", 1), Status::InvalidArgument);
    EXPECT_FALSE(key.open_subkey(u""));
    EXPECT_EQ(taken.set_dword(u"v", 1), Status::Ok);
    EXPECT_EQ(taken.flush(), Status::Ok);
}

TEST_F(RegistryTest, OverlongValueNameIsRefused) {
    Key key = make(u"Names");
    EXPECT_EQ(key.set_dword(std::u16string(16384, u'n'), 1), Status::InvalidArgument);
    EXPECT_EQ(key.set_dword(std::u16string(16383, u'n'), 1), Status::Ok);
}

TEST_F(RegistryTest, RootNamesParseInAnyCase) {
    EXPECT_EQ(parse_root(u"hkcu"), Root::CurrentUser);
    EXPECT_EQ(parse_root(u"HKEY_Current_User"), Root::CurrentUser);
    EXPECT_EQ(parse_root(u"HKLM"), Root::LocalMachine);
    EXPECT_EQ(parse_root(u"hkey_local_machine"), Root::LocalMachine);
    EXPECT_FALSE(parse_root(u"HKCR"));
    EXPECT_FALSE(parse_root(u""));
}

TEST_F(RegistryTest, ThreadsOfOneProcessWriteWithoutLoss) {
    Key key = make(u"Threads");
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([t] {
            auto mine = Key::open(Root::CurrentUser, u"Threads");
            for (uint32_t i = 0; i < 25; ++i)
                mine->set_dword(to_name(t, i), i);
        });
    for (auto& thread : threads) thread.join();
    EXPECT_EQ(value_names(key).size(), 100u);
}

TEST_F(RegistryTest, AWriteBatchStoresAllOrNothing) {
    {
        auto batch = WriteBatch::begin();
        ASSERT_TRUE(batch);
        EXPECT_FALSE(WriteBatch::begin()) << "batches do not nest";
        auto made = Key::create(Root::CurrentUser, u"Batch\\Kept");
        ASSERT_TRUE(made);
        EXPECT_EQ(made->key.set_dword(u"n", 1), Status::Ok);
        EXPECT_EQ(made->key.get_dword(u"n"), 1u) << "the batch reads its own writes";
        EXPECT_EQ(made->key.delete_value(u"absent"), Status::NotFound) << "a failing call inside is reported";
        EXPECT_TRUE(batch->commit());
        EXPECT_EQ(made->key.set_dword(u"after", 2), Status::Ok) << "after the commit writes are ordinary again";
    }
    auto kept = Key::open(Root::CurrentUser, u"Batch\\Kept");
    ASSERT_TRUE(kept);
    EXPECT_EQ(kept->get_dword(u"n"), 1u);
    EXPECT_EQ(kept->get_dword(u"after"), 2u);

    {
        auto batch = WriteBatch::begin();
        ASSERT_TRUE(batch);
        ASSERT_TRUE(Key::create(Root::CurrentUser, u"Batch\\Dropped"));
        EXPECT_EQ(kept->set_dword(u"n", 9), Status::Ok);
    }
    EXPECT_FALSE(Key::open(Root::CurrentUser, u"Batch\\Dropped")) << "a batch ended without commit is undone";
    EXPECT_EQ(kept->get_dword(u"n"), 1u);
}

TEST(RegistryRootSwitch, EachDeviceRootHasItsOwnRegistry) {
    {
        testing::TempDeviceRoot first;
        ASSERT_FALSE(first.path().empty());
        ASSERT_TRUE(Key::create(Root::CurrentUser, u"OnlyInFirst"));
    }
    testing::TempDeviceRoot second;
    ASSERT_FALSE(second.path().empty());
    EXPECT_FALSE(Key::open(Root::CurrentUser, u"OnlyInFirst"));
}

}  // namespace
}  // namespace zt::platform::registry
