#include "platform/kernel/process.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/testing/child_process.h"
#include "platform/testing/eventually.h"
#include "platform/testing/temp_device_root.h"

namespace zt::platform {
namespace {

namespace fs = std::filesystem;
using testing::built_program;
using testing::eventually;
using testing::kPatience;
using testing::fork_child;
using testing::TempDeviceRoot;
using testing::wait_child;
using namespace std::chrono_literals;
using State = ExitStatus::State;

// A device with the probe program installed as \Windows\Probe.exe.
class ProcessTest : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(device.path() / "Windows");
        fs::copy_file(built_program("zt-kernel-probe"), device.path() / "Windows" / "Probe.exe");
    }
    std::optional<Process> start(std::u16string_view line) {
        return Process::create(u"\\Windows\\Probe.exe", line);
    }
    TempDeviceRoot device;
};

std::string read_file(const fs::path& p) {
    std::ifstream in(p);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

TEST_F(ProcessTest, ChildGetsItsCommandLineRootAndModulePath) {
    fs::path report = device.path() / "report.txt";
    std::string line = "report " + report.string() + " ChooseCity 1 2";
    auto p = Process::create(u"\\windows\\PROBE.EXE", std::u16string(line.begin(), line.end()));
    ASSERT_TRUE(p.has_value()) << "device paths ignore case";
    ASSERT_EQ(p->wait(10s), Process::WaitResult::Ended);
    EXPECT_EQ(p->exit_status().state, State::Exited);
    EXPECT_EQ(p->exit_status().code, 7u);
    EXPECT_EQ(read_file(report), "root=" + device.path().string() +
                                     "\nmodule=\\Windows\\Probe.exe\nline=" + line + "\n");
}

TEST_F(ProcessTest, ChildInheritsOnlyTheStandardDescriptors) {
    int leaky[2];
    ASSERT_EQ(pipe(leaky), 0);  // no close-on-exec, as careless library code might leave it
    const fs::path listing = device.path() / "descriptors.txt";
    const std::string line = "descriptors " + listing.string();
    auto p = start(std::u16string(line.begin(), line.end()));
    ASSERT_TRUE(p.has_value());
    ASSERT_EQ(p->wait(10s), Process::WaitResult::Ended);
    EXPECT_EQ(p->exit_status().code, 0u);
    EXPECT_EQ(read_file(listing), "0\n1\n2\n") << "the child's own list of what it was started with";
    close(leaky[0]);
    close(leaky[1]);
}

TEST_F(ProcessTest, ExitCodesKeepEightBits) {
    auto three = start(u"exit 3");
    auto minus_one = start(u"exit -1");
    ASSERT_TRUE(three && minus_one);
    ASSERT_EQ(three->wait(10s), Process::WaitResult::Ended);
    ASSERT_EQ(minus_one->wait(10s), Process::WaitResult::Ended);
    EXPECT_EQ(three->exit_status().code, 3u);
    EXPECT_EQ(minus_one->exit_status().code, 255u);
}

TEST_F(ProcessTest, WaitTimesOutThenTerminateRecordsTheGivenCode) {
    auto p = start(u"sleep 60000");
    ASSERT_TRUE(p.has_value());
    EXPECT_EQ(p->wait(0ms), Process::WaitResult::TimedOut);
    EXPECT_EQ(p->wait(20ms), Process::WaitResult::TimedOut);
    EXPECT_TRUE(p->exit_status().still_active());
    EXPECT_TRUE(p->terminate(0xFFFFFFFFu));
    ASSERT_EQ(p->wait(10s), Process::WaitResult::Ended);
    EXPECT_EQ(p->exit_status().state, State::Exited);
    EXPECT_EQ(p->exit_status().code, 0xFFFFFFFFu);
    EXPECT_FALSE(p->terminate(1)) << "already ended";
    EXPECT_EQ(p->exit_status().code, 0xFFFFFFFFu);
}

TEST_F(ProcessTest, CreateRefusesWhatIsNotARunnableDeviceFile) {
    EXPECT_FALSE(Process::create(u"\\Windows\\Missing.exe", u"").has_value());
    EXPECT_FALSE(Process::create(u"\\..\\..\\bin\\true", u"").has_value()) << "outside the root";
    std::ofstream(device.path() / "Windows" / "Text.exe") << "not a program";
    EXPECT_FALSE(Process::create(u"\\Windows\\Text.exe", u"").has_value());
    EXPECT_FALSE(Process::create(u"\\Windows", u"").has_value());
}

TEST_F(ProcessTest, OpenByIdReachesOurChild) {
    auto p = start(u"sleep 60000");
    ASSERT_TRUE(p.has_value());
    auto again = Process::open(p->id());
    ASSERT_TRUE(again.has_value());
    EXPECT_EQ(again->id(), p->id());
    EXPECT_TRUE(again->exit_status().still_active());
    EXPECT_TRUE(again->terminate(12));
    ASSERT_EQ(p->wait(10s), Process::WaitResult::Ended);
    EXPECT_EQ(again->exit_status().code, 12u);
    EXPECT_EQ(p->exit_status().code, 128u + 9u) << "this handle did not end it";
}

TEST_F(ProcessTest, OpenByIdOfAStrangerKnowsNoExitCodeUnlessWeEndedIt) {
    // Grandchildren are not our children: only their end is visible to us.
    int pids[2] = { 0, 0 };
    int channel[2];
    ASSERT_EQ(pipe(channel), 0);
    pid_t child = fork_child([&] {
        for (int& pid : pids) {
            pid = fork();
            if (pid == 0) {
                pause();
                _exit(0);
            }
        }
        return write(channel[1], pids, sizeof pids) == sizeof pids ? 0 : 1;
    });
    EXPECT_EQ(wait_child(child), 0);
    ASSERT_EQ(read(channel[0], pids, sizeof pids), static_cast<ssize_t>(sizeof pids));
    close(channel[0]);
    close(channel[1]);

    auto ended_by_us = Process::open(pids[0]);
    auto ended_elsewhere = Process::open(pids[1]);
    ASSERT_TRUE(ended_by_us && ended_elsewhere);
    EXPECT_TRUE(ended_by_us->exit_status().still_active());
    EXPECT_TRUE(ended_by_us->terminate(33));
    ASSERT_EQ(kill(pids[1], SIGTERM), 0);
    ASSERT_EQ(ended_by_us->wait(10s), Process::WaitResult::Ended);
    ASSERT_EQ(ended_elsewhere->wait(10s), Process::WaitResult::Ended);
    EXPECT_EQ(ended_by_us->exit_status().code, 33u);
    EXPECT_EQ(ended_elsewhere->exit_status().state, State::Unknown);
}

TEST_F(ProcessTest, OpenFailsForNoSuchProcess) {
    EXPECT_FALSE(Process::open(0).has_value());
    EXPECT_FALSE(Process::open(-5).has_value());
    auto p = start(u"exit 0");
    ASSERT_TRUE(p.has_value());
    int id = p->id();
    ASSERT_EQ(p->wait(10s), Process::WaitResult::Ended);
    p.reset();  // reaped now
    auto gone = Process::open(id);
    EXPECT_TRUE(!gone || gone->id() == id) << "an id is either gone or reused, never confused";
}

TEST_F(ProcessTest, ClosingARunningChildsHandleStillReapsItLater) {
    auto p = start(u"sleep 60000");
    ASSERT_TRUE(p.has_value());
    int id = p->id();
    auto watcher = Process::open(id);
    ASSERT_TRUE(watcher.has_value());
    p.reset();
    EXPECT_TRUE(watcher->terminate(1));
    ASSERT_EQ(watcher->wait(10s), Process::WaitResult::Ended);
    fs::path entry = "/proc/" + std::to_string(id);
    EXPECT_TRUE(eventually([&] { return !fs::exists(entry); },
                           kPatience, "the ended child to leave the process list")) << "left as a zombie";
}

}  // namespace
}  // namespace zt::platform
