// Several processes on one device: records meet only in the registry, guarded by the store
// mutex for saves and reloads.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "contracts/registry_keys.h"
#include "core/time_store.h"
#include "platform/registry/registry.h"
#include "platform/registry/testing/temp_device_root.h"

extern char** environ;

namespace zt::core {
namespace {

namespace registry = zt::platform::registry;

// The helper is built into the folder of the test binaries, beside this one.
std::string helper_path() {
    char self[4096];
    ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
    std::string path = n > 0 ? std::string(self, static_cast<size_t>(n)) : std::string("./x");
    return path.substr(0, path.find_last_of('/')) + "/zt_core_store_helper";
}

// Starts the helper; its stdout goes to `output_file` when given.
pid_t spawn_helper(const std::vector<std::string>& args, const std::string& output_file = {}) {
    std::vector<std::string> all { helper_path() };
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (auto& a : all) argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (!output_file.empty())
        posix_spawn_file_actions_addopen(&actions, 1, output_file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    pid_t pid = -1;
    int rc = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    return rc == 0 ? pid : -1;
}

int wait_exit(pid_t pid) {
    int status = 0;
    if (pid <= 0 || waitpid(pid, &status, 0) != pid) return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string read_file(const std::string& path) {
    std::string text;
    if (FILE* f = std::fopen(path.c_str(), "r")) {
        char buffer[256];
        size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) text.append(buffer, n);
        std::fclose(f);
    }
    return text;
}

uint32_t stored_alarm_values() {
    auto key = registry::Key::open(registry::Root::CurrentUser, contracts::kAlarmsKeyPath);
    uint32_t count = 0;
    while (key && key->enum_value(count)) ++count;
    return count;
}

TEST(StoreProcesses, TwoProcessesSavingAtOnceLoseNeither) {
    zt::platform::testing::TempDeviceRoot root;
    pid_t a = spawn_helper({ "save-alarms", "1", "60" });
    pid_t b = spawn_helper({ "save-alarms", "1001", "60" });
    ASSERT_EQ(wait_exit(a), 0);
    ASSERT_EQ(wait_exit(b), 0);
    CTimeStore store;
    ASSERT_TRUE(store.reload_all());
    EXPECT_EQ(store.item_count(), 120u);
    for (int id : { 1, 60, 1001, 1060 }) EXPECT_TRUE(store.find_alarm(id)) << id;
    EXPECT_EQ(store.create_new_item(ItemType::Alarm)->id(), 1061);
}

TEST(StoreProcesses, ReloadWhileAnotherProcessDeletes) {
    zt::platform::testing::TempDeviceRoot root;
    {
        CTimeStore writer;
        for (int id = 1; id <= 200; ++id) {
            auto* alarm = static_cast<CAlarm*>(writer.create_item(ItemType::Alarm, id));
            alarm->flags = 0x7F;
            alarm->save();
        }
    }
    pid_t deleter = spawn_helper({ "delete-alarms", "1", "100" });
    ASSERT_GT(deleter, 0);
    CTimeStore store;
    int rounds = 0;
    int status = 0;
    while (waitpid(deleter, &status, WNOHANG) == 0 || rounds < 3) {
        ASSERT_TRUE(store.reload_all());
        ++rounds;
        for (int id = 101; id <= 200; ++id) ASSERT_TRUE(store.find_alarm(id)) << "round " << rounds << " lost " << id;
        ASSERT_LE(store.item_count(), 200u);
    }
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    ASSERT_TRUE(store.reload_all());
    EXPECT_EQ(store.item_count(), 100u);
    EXPECT_EQ(stored_alarm_values(), 100u) << "no deleted record came back as an empty value";
}

TEST(StoreProcesses, AlarmSavedByOneProcessHasTheSameNextOccurrenceInAnother) {
    zt::platform::testing::TempDeviceRoot root;
    ASSERT_EQ(wait_exit(spawn_helper({ "save-alarm", "42", "6", "45", "0x14" })), 0);  // Wednesday + Friday
    CTimeStore store;
    ASSERT_TRUE(store.reload_all());
    CAlarm* alarm = store.find_alarm(42);
    ASSERT_TRUE(alarm);
    EXPECT_EQ(alarm->name, u"from helper");
    const SYSTEMTIME reference { 2009, 3, 1, 2, 12, 0, 0, 0 };
    SYSTEMTIME here {};
    ASSERT_TRUE(alarm->next_occurrence(reference, here));
    EXPECT_EQ(here, (SYSTEMTIME { 2009, 3, 3, 4, 6, 45, 0, 0 }));

    // And back: this process edits it, another reloads and computes the same.
    alarm->flags = 0x40;  // Sunday only
    ASSERT_TRUE(alarm->save());
    ASSERT_TRUE(alarm->next_occurrence(reference, here));
    std::string out = (root.path() / "next.txt").string();
    ASSERT_EQ(wait_exit(spawn_helper({ "next", "42", "2009", "3", "2", "12", "0", "0" }, out)), 0);
    char expected[128];
    std::snprintf(expected, sizeof expected, "%u %u %u %u %u %u %u %u\n", here.wYear, here.wMonth, here.wDay, here.wHour,
                  here.wMinute, here.wSecond, here.wMilliseconds, here.wDayOfWeek);
    EXPECT_EQ(read_file(out), expected);
    EXPECT_EQ(here.wDay, 8);
}

}  // namespace
}  // namespace zt::core
