// Export and import against a real registry: depth, and all-or-nothing imports.
#include "platform/hosts/zt_reg/registry_dump.h"

#include <gtest/gtest.h>
#include <pthread.h>

#include <sstream>

#include "platform/testing/temp_device_root.h"

namespace zt::platform::zt_reg {
namespace {

using registry::Key;
using registry::Root;

// Runs the export on a thread with a small stack, so depth that lives on the stack shows.
registry::Status export_on_small_stack(const ExportStart& start, std::string* text) {
    struct Job {
        ExportStart start;
        std::string text;
        registry::Status status { registry::Status::Failed };
    } job { start, {}, registry::Status::Failed };
    pthread_attr_t attributes;
    pthread_attr_init(&attributes);
    pthread_attr_setstacksize(&attributes, 256 * 1024);
    pthread_t thread;
    auto body = [](void* raw) -> void* {
        auto* work = static_cast<Job*>(raw);
        std::ostringstream out;
        work->status = export_trees({ work->start }, out);
        work->text = out.str();
        return nullptr;
    };
    EXPECT_EQ(pthread_create(&thread, &attributes, body, &job), 0);
    pthread_join(thread, nullptr);
    pthread_attr_destroy(&attributes);
    *text = std::move(job.text);
    return job.status;
}

TEST(RegistryDump, AVeryDeepChainOfKeysExportsWithoutExhaustingTheStack) {
    testing::TempDeviceRoot root;
    std::u16string half = u"k";
    for (int i = 1; i < 2000; ++i) half += u"\\k";
    auto middle = Key::create(Root::CurrentUser, u"Deep\\" + half);
    ASSERT_TRUE(middle);
    auto bottom = middle->key.create_subkey(half);  // deeper than one path may name
    ASSERT_TRUE(bottom);
    ASSERT_EQ(bottom->key.set_dword(u"end", 7), registry::Status::Ok);

    std::string text;
    ASSERT_EQ(export_on_small_stack({ Root::CurrentUser, u"Deep" }, &text), registry::Status::Ok);
    size_t keys = 0;
    for (size_t at = text.find("\n["); at != std::string::npos; at = text.find("\n[", at + 1)) ++keys;
    EXPECT_EQ(keys, 4001u) << "every key of the chain, parents first";
    EXPECT_NE(text.rfind("\"end\" = dword:7\n"), std::string::npos);
    EXPECT_LT(text.find("[HKEY_CURRENT_USER\\Deep]\n"), text.find("[HKEY_CURRENT_USER\\Deep\\k]\n"));
}

TEST(RegistryDump, ExportKeepsParentsFirstInCreationOrderAcrossBranches) {
    testing::TempDeviceRoot root;
    for (auto path : { u"T\\b\\x", u"T\\a", u"T\\b\\y\\z", u"T\\c" }) ASSERT_TRUE(Key::create(Root::CurrentUser, path));
    std::string text;
    ASSERT_EQ(export_on_small_stack({ Root::CurrentUser, u"T" }, &text), registry::Status::Ok);
    EXPECT_EQ(text,
              "zt-reg export 1\n[HKEY_CURRENT_USER\\T]\n[HKEY_CURRENT_USER\\T\\b]\n[HKEY_CURRENT_USER\\T\\b\\x]\n"
              "[HKEY_CURRENT_USER\\T\\b\\y]\n[HKEY_CURRENT_USER\\T\\b\\y\\z]\n[HKEY_CURRENT_USER\\T\\a]\n"
              "[HKEY_CURRENT_USER\\T\\c]\n");
}

TEST(RegistryDump, AnImportThatFailsPartWayStoresNothing) {
    testing::TempDeviceRoot root;
    ASSERT_EQ(Key::create(Root::CurrentUser, u"Before")->key.set_dword(u"n", 1), registry::Status::Ok);
    DumpKey first { Root::CurrentUser, u"Imported", { DumpValue { u"a", registry::ValueType::Dword, { 1, 0, 0, 0 } } } };
    DumpKey existing { Root::CurrentUser, u"Before", { DumpValue { u"n", registry::ValueType::Dword, { 2, 0, 0, 0 } } } };
    DumpKey impossible { Root::CurrentUser, std::u16string(300, u'x'), {} };  // a name longer than a key may have
    std::string failure;
    EXPECT_FALSE(import_keys({ first, existing, impossible }, &failure));
    EXPECT_NE(failure.find("cannot create key"), std::string::npos) << failure;
    EXPECT_FALSE(Key::open(Root::CurrentUser, u"Imported")) << "the part before the failure was kept";
    EXPECT_EQ(Key::open(Root::CurrentUser, u"Before")->get_dword(u"n"), 1u);

    EXPECT_TRUE(import_keys({ first, existing }, &failure)) << failure;
    EXPECT_EQ(Key::open(Root::CurrentUser, u"Imported")->get_dword(u"a"), 1u);
    EXPECT_EQ(Key::open(Root::CurrentUser, u"Before")->get_dword(u"n"), 2u);
}

}  // namespace
}  // namespace zt::platform::zt_reg
