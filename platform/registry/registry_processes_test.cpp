// Several processes on one registry: concurrent writers and a writer killed mid-stream.
#include <fcntl.h>
#include <signal.h>
#include <sqlite3.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/base/text.h"
#include "platform/registry/registry.h"
#include "platform/testing/baton.h"
#include "platform/testing/child_process.h"
#include "platform/testing/temp_device_root.h"

namespace zt::platform::registry {
namespace {

std::u16string numbered(const char* prefix, int n) { return to_u16(prefix + std::to_string(n)); }

using testing::fork_child;
using testing::wait_child;

std::string integrity_of(const std::filesystem::path& file) {
    sqlite3* db = nullptr;
    std::string verdict = "cannot open";
    if (sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        sqlite3_stmt* stmt = nullptr;
        if (sqlite3_prepare_v2(db, "PRAGMA integrity_check", -1, &stmt, nullptr) == SQLITE_OK &&
            sqlite3_step(stmt) == SQLITE_ROW)
            verdict = reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0));
        sqlite3_finalize(stmt);
    }
    sqlite3_close(db);
    return verdict;
}

class RegistryProcessesTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_FALSE(m_root.path().empty()); }
    testing::TempDeviceRoot m_root;
};

TEST_F(RegistryProcessesTest, TwoWritersAtOnceLoseNothing) {
    ASSERT_TRUE(Key::create(Root::CurrentUser, u"Shared"));
    constexpr int kPerWriter = 150;
    auto writer = [](const char* prefix) {
        return [prefix] {
            int failures = 0;
            for (int i = 0; i < kPerWriter; ++i) {
                // Each process opens and creates on its own, as separate programs would.
                auto key = Key::open(Root::CurrentUser, u"Shared");
                if (!key || key->set_dword(numbered(prefix, i), static_cast<uint32_t>(i)) != Status::Ok) ++failures;
                if (i % 10 == 0 && !Key::create(Root::CurrentUser, u"Shared\\" + numbered(prefix, i))) ++failures;
            }
            return failures > 0 ? 1 : 0;
        };
    };
    pid_t first = fork_child(writer("a"));
    pid_t second = fork_child(writer("b"));
    ASSERT_GT(first, 0);
    ASSERT_GT(second, 0);
    EXPECT_EQ(wait_child(first), 0) << "first writer saw failures";
    EXPECT_EQ(wait_child(second), 0) << "second writer saw failures";

    auto key = Key::open(Root::CurrentUser, u"Shared");
    ASSERT_TRUE(key);
    for (const char* prefix : { "a", "b" }) {
        for (int i = 0; i < kPerWriter; ++i)
            ASSERT_EQ(key->get_dword(numbered(prefix, i)), static_cast<uint32_t>(i)) << prefix << i;
    }
    int subkeys = 0;
    while (key->enum_subkey(subkeys)) ++subkeys;
    EXPECT_EQ(subkeys, 2 * kPerWriter / 10);
    EXPECT_EQ(integrity_of(m_root.path() / "registry.db"), "ok");
}

TEST_F(RegistryProcessesTest, AnEnumerationSeesWhatAnotherProcessChangedBetweenTwoIndices) {
    auto key = Key::create(Root::CurrentUser, u"Listed");
    ASSERT_TRUE(key);
    for (auto name : { u"one", u"two", u"three", u"four" }) ASSERT_EQ(key->key.set_dword(name, 1), Status::Ok);
    EXPECT_EQ(key->key.enum_value(0)->name, u"one");
    EXPECT_EQ(key->key.enum_value(1)->name, u"two");
    pid_t child = fork_child([] {
        auto listed = Key::open(Root::CurrentUser, u"Listed");
        return listed && listed->delete_value(u"one") == Status::Ok && listed->delete_value(u"two") == Status::Ok ? 0 : 1;
    });
    ASSERT_EQ(wait_child(child), 0);
    EXPECT_FALSE(key->key.enum_value(2)) << "three and four are all that is left";
    EXPECT_EQ(key->key.enum_value(1)->name, u"four");
}

TEST_F(RegistryProcessesTest, WriterKilledMidStreamKeepsEveryCommittedWrite) {
    int pipe_fds[2];
    ASSERT_EQ(pipe(pipe_fds), 0);
    const std::u16string payload(2000, u'p');  // big enough that the kill often lands in a commit
    pid_t writer = fork_child([&] {
        close(pipe_fds[0]);
        for (int i = 0; i < 1000000; ++i) {
            // A deep create is one transaction: either all three keys exist or none does.
            auto created = Key::create(Root::CurrentUser, u"Stream\\" + numbered("k", i) + u"\\a\\b");
            if (!created || created->key.set_string(u"Data", payload + numbered("#", i)) != Status::Ok) return 3;
            if (write(pipe_fds[1], &i, sizeof i) != sizeof i) return 4;
        }
        return 0;
    });
    ASSERT_GT(writer, 0);
    close(pipe_fds[1]);

    int acknowledged = -1;
    int received = 0;
    while (read(pipe_fds[0], &received, sizeof received) == sizeof received) {
        acknowledged = received;
        if (acknowledged >= 300) break;
    }
    kill(writer, SIGKILL);
    while (read(pipe_fds[0], &received, sizeof received) == sizeof received) acknowledged = received;
    close(pipe_fds[0]);
    EXPECT_EQ(wait_child(writer), 128 + SIGKILL);
    ASSERT_GE(acknowledged, 300) << "the writer failed before it was killed";

    for (int i = 0; i <= acknowledged; ++i) {
        auto key = Key::open(Root::CurrentUser, u"Stream\\" + numbered("k", i) + u"\\a\\b");
        ASSERT_TRUE(key) << "committed key " << i << " lost";
        ASSERT_EQ(key->get_string(u"Data"), payload + numbered("#", i)) << "committed value " << i << " lost";
    }
    // Whatever the kill interrupted is either complete or absent.
    auto stream = Key::open(Root::CurrentUser, u"Stream");
    ASSERT_TRUE(stream);
    for (uint32_t i = 0; auto name = stream->enum_subkey(i); ++i)
        EXPECT_TRUE(stream->open_subkey(*name + u"\\a\\b")) << "half-created tree under " << utf16_to_utf8(*name);

    EXPECT_EQ(integrity_of(m_root.path() / "registry.db"), "ok");
    EXPECT_EQ(stream->set_dword(u"AfterTheKill", 1), Status::Ok) << "the registry stays writable";
}

TEST_F(RegistryProcessesTest, ABatchKilledBeforeItsCommitLeavesNothing) {
    testing::Baton ready;
    pid_t writer = fork_child([&] {
        ready.close_unused_reader();
        auto batch = WriteBatch::begin();
        if (!batch) return 1;
        for (int i = 0; i < 20; ++i) {
            auto made = Key::create(Root::CurrentUser, u"Batch\\" + numbered("k", i));
            if (!made || made->key.set_dword(u"v", static_cast<uint32_t>(i)) != Status::Ok) return 2;
        }
        ready.pass();
        pause();  // killed here, its writes made but not committed
        return 4;
    });
    ready.close_unused_writer();
    ASSERT_TRUE(ready.await()) << "the writer failed before its batch was complete";
    kill(writer, SIGKILL);
    EXPECT_EQ(wait_child(writer), 128 + SIGKILL);
    EXPECT_FALSE(Key::open(Root::CurrentUser, u"Batch")) << "a batch that was not committed left keys behind";

    pid_t committer = fork_child([] {
        auto batch = WriteBatch::begin();
        if (!batch || !Key::create(Root::CurrentUser, u"Batch\\done")) return 1;
        return batch->commit() ? 0 : 2;
    });
    EXPECT_EQ(wait_child(committer), 0);
    EXPECT_TRUE(Key::open(Root::CurrentUser, u"Batch\\done"));
    EXPECT_EQ(integrity_of(m_root.path() / "registry.db"), "ok");
}

}  // namespace
}  // namespace zt::platform::registry
