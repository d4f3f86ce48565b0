#include "platform/kernel/process_list.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/base/text.h"
#include "platform/kernel/module_path.h"
#include "platform/kernel/process.h"
#include "platform/testing/child_process.h"
#include "platform/testing/eventually.h"
#include "platform/testing/temp_device_root.h"

extern char** environ;

namespace zt::platform {
namespace {

namespace fs = std::filesystem;
using testing::built_program;
using testing::TempDeviceRoot;
using namespace std::chrono_literals;

std::optional<std::u16string> listed_as(int pid) {
    for (const auto& entry : device_processes())
        if (entry.id == pid) return entry.module_path;
    return std::nullopt;
}

// Starts the probe from the build folder (outside any root) with the given extra variables.
std::optional<testing::ChildProcess> spawn_outside(std::vector<std::string> extra_env) {
    testing::SpawnOptions options;
    options.environment.emplace();
    for (char** e = environ; *e; ++e) {
        std::string_view v(*e);
        if (!v.starts_with("ZT_ROOT=") && !v.starts_with("ZT_MODULE=")) options.environment->emplace_back(v);
    }
    options.environment->insert(options.environment->end(), extra_env.begin(), extra_env.end());
    return testing::ChildProcess::spawn(built_program("zt-kernel-probe"), { "sleep 60000" }, options);
}

// Waits until the exec has finished replacing the forked image: the executable changes first,
// the new environment appears a moment later.
bool running_probe(pid_t pid) {
    std::string proc = "/proc/" + std::to_string(pid);
    return testing::eventually([&] {
        std::error_code ec;
        auto exe = fs::read_symlink(proc + "/exe", ec);
        std::ifstream environment(proc + "/environ");
        return !ec && exe.filename() == "zt-kernel-probe" && environment.get() != EOF;
    }, testing::kPatience, "the probe program to replace the forked image");
}

TEST(DeviceProcesses, ListsAChildStartedByDevicePathWithThatPath) {
    TempDeviceRoot device;
    fs::create_directories(device.path() / "Windows");
    fs::copy_file(built_program("zt-kernel-probe"), device.path() / "Windows" / "Ringout.exe");
    auto p = Process::create(u"\\WINDOWS\\ringout.exe", u"sleep 60000");
    ASSERT_TRUE(p.has_value());
    auto listed = listed_as(p->id());
    ASSERT_TRUE(listed.has_value());
    EXPECT_EQ(*listed, u"\\Windows\\Ringout.exe");
    EXPECT_EQ(process_module_path(p->id()), listed);

    ASSERT_TRUE(p->terminate(0));
    ASSERT_EQ(p->wait(10s), Process::WaitResult::Ended);
    EXPECT_FALSE(listed_as(p->id()).has_value()) << "an ended process is not running";
}

TEST(DeviceProcesses, ProgramOutsideTheRootBelongsByItsStartEnvironment) {
    TempDeviceRoot device;
    auto with_module_probe = spawn_outside({ "ZT_ROOT=" + device.path().string() + "/.",
                                             "ZT_MODULE=\\Windows\\ZunTime.exe" });
    auto without_module_probe = spawn_outside({ "ZT_ROOT=" + device.path().string() });
    auto elsewhere_probe = spawn_outside({ "ZT_ROOT=/tmp", "ZT_MODULE=\\Windows\\ZunTime.exe" });
    ASSERT_TRUE(with_module_probe && without_module_probe && elsewhere_probe);
    const pid_t with_module = with_module_probe->pid();
    const pid_t without_module = without_module_probe->pid();
    const pid_t elsewhere = elsewhere_probe->pid();
    ASSERT_TRUE(running_probe(with_module) && running_probe(without_module) &&
                running_probe(elsewhere));

    EXPECT_EQ(listed_as(with_module), u"\\Windows\\ZunTime.exe");
    EXPECT_EQ(listed_as(without_module), u"\\Windows\\zt-kernel-probe");
    EXPECT_FALSE(listed_as(elsewhere).has_value()) << "another device's program";
    EXPECT_FALSE(process_module_path(elsewhere).has_value());
}

TEST(DeviceProcesses, ListsTheCallerWithItsOwnModulePath) {
    TempDeviceRoot device;
    EXPECT_EQ(listed_as(getpid()), own_module_path());
    EXPECT_FALSE(process_module_path(0).has_value());
    EXPECT_FALSE(process_module_path(-1).has_value());
}

TEST(ModulePath, FallsBackToModuleVariableThenToWindowsFolder) {
    TempDeviceRoot device;
    unsetenv("ZT_MODULE");
    auto exe = fs::read_symlink("/proc/self/exe");
    EXPECT_EQ(own_module_path(), u"\\Windows\\" + utf8_to_utf16(exe.filename().string()));
    setenv("ZT_MODULE", "\\Windows\\ZunTime.exe", 1);
    EXPECT_EQ(own_module_path(), u"\\Windows\\ZunTime.exe");
    unsetenv("ZT_MODULE");
}

TEST(ModulePath, CommandLineIsTheSameTypedOrPassedAsOneArgument) {
    char prog[] = "prog";
    char choose[] = "ChooseCity";
    char one[] = "1";
    char two[] = "2";
    char whole[] = "ChooseCity 1 2";
    char* typed[] = { prog, choose, one, two, nullptr };
    char* passed[] = { prog, whole, nullptr };
    char* bare[] = { prog, nullptr };
    EXPECT_EQ(command_line(4, typed), u"ChooseCity 1 2");
    EXPECT_EQ(command_line(2, passed), u"ChooseCity 1 2");
    EXPECT_EQ(command_line(1, bare), u"");
    EXPECT_EQ(command_line(0, nullptr), u"");
}

}  // namespace
}  // namespace zt::platform
