// zt-device end to end: the real program in a fresh device root.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>

#include "platform/base/clock.h"
#include "platform/hosts/zt_device/testing/answering_device.h"
#include "platform/hosts/zt_device/testing/service_fixture.h"
#include "platform/hosts/zt_device/time_text.h"
#include "platform/kernel/event.h"
#include "platform/notify/user_notification.h"
#include "platform/services/service_manager.h"
#include "platform/testing/child_process.h"
#include "platform/testing/eventually.h"
#include "platform/testing/temp_device_root.h"

namespace zt::platform {
namespace {

using namespace std::chrono_literals;
using testing::eventually;
using testing::kPatience;
using testing::read_lines;
using testing::run_zt_device;
using testing::RunningDevice;
using testing::start_answering_device;
namespace fs = std::filesystem;

constexpr int64_t kHourMs = 3'600'000;

SYSTEMTIME local_in(int64_t ms) {
    return *file_time_to_system_time(local_file_time() + ms * kFileTimeTicksPerMillisecond);
}

notify::Handle register_event_at(const std::u16string& name, SYSTEMTIME start) {
    notify::Trigger trigger;
    trigger.type = notify::kTriggerTime;
    trigger.event = notify::kEventWakeup;
    trigger.application = std::u16string(notify::kNamedEventPrefix) + name;
    trigger.start = start;
    return notify::set_user_notification(0, trigger).value_or(0);
}

notify::Handle register_probe(uint32_t type, SYSTEMTIME start, const std::u16string& arguments) {
    notify::Trigger trigger;
    trigger.type = type;
    trigger.event = type == notify::kTriggerEvent ? notify::kEventTimeChange : notify::kEventWakeup;
    trigger.application = u"\\Windows\\probe.exe";
    trigger.arguments = arguments;
    if (type == notify::kTriggerTime) trigger.start = start;
    return notify::set_user_notification(0, trigger).value_or(0);
}

Event open_waiter(const std::u16string& name) {
    return std::move(Event::create_or_open(name, ResetPolicy::Manual, false)->event);
}

class DeviceRunTest : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(device.path() / "Windows");
        fs::copy_file(testing::built_program("zt-device-probe"), device.path() / "Windows" / "probe.exe");
    }
    std::vector<std::string> probe_log() const { return read_lines(device.path() / "probe.log"); }
    size_t probe_count(const std::string& line) const {
        auto lines = probe_log();
        return static_cast<size_t>(std::count(lines.begin(), lines.end(), line));
    }
    // Every request the device answers is served after everything it was told before, so a
    // round trip is a barrier; the marker program then shows every earlier start has landed.
    void settle() {
        ASSERT_TRUE(services::query_running_device());
        auto marker = u"marker" + to_u16(std::to_string(++m_markers));
        register_probe(notify::kTriggerTime, local_in(-1000), marker);
        std::string line = "started " + utf16_to_utf8(marker);
        ASSERT_TRUE(eventually([&] { return probe_count(line) == 1; }, kPatience, "the probe to log " + line));
    }
    testing::TempDeviceRoot device;
    int m_markers { 0 };
};

TEST_F(DeviceRunTest, SecondDeviceForTheSameRootRefuses) {
    auto first = start_answering_device();
    ASSERT_TRUE(first);
    EXPECT_TRUE(fs::is_directory(device.path() / "My Documents")) << "a running device has its own folders";
    auto second = run_zt_device({ "run" });
    EXPECT_EQ(second.exit_code, 2);
    EXPECT_NE(second.err.find("already running"), std::string::npos) << second.err;
    EXPECT_EQ(first->stop(), 0) << "SIGTERM ends the device cleanly";
    auto status = run_zt_device({ "status" });
    EXPECT_NE(status.out.find("running\tno"), std::string::npos) << status.out;
}

TEST_F(DeviceRunTest, TimeTriggerFiresWhenTheDeviceClockPassesIt) {
    auto waiter = open_waiter(u"ZunAlarmNotify");
    ASSERT_NE(register_event_at(u"ZunAlarmNotify", local_in(kHourMs)), 0u);
    auto running = start_answering_device();
    ASSERT_TRUE(running);
    EXPECT_EQ(waiter.wait(0ms), Event::WaitResult::TimedOut) << "an hour early";
    ASSERT_TRUE(set_device_clock_offset_ms(device_clock_offset_ms() + kHourMs + 1000));
    EXPECT_EQ(waiter.wait(10s), Event::WaitResult::Signalled);
    EXPECT_TRUE(eventually([] { return notify::list_user_notifications().empty(); },
                           kPatience, "the passed notifications to be cleared"))
        << "a fired time registration is removed";
}

TEST_F(DeviceRunTest, ProgramTargetStartsWithItsArguments) {
    auto running = start_answering_device();
    ASSERT_TRUE(running);
    ASSERT_NE(register_probe(notify::kTriggerTime, local_in(-5000), u"alpha beta"), 0u);
    EXPECT_TRUE(eventually([&] { return probe_count("started alpha beta") == 1; },
                           kPatience, "the probe to log \"started alpha beta\""));
}

TEST_F(DeviceRunTest, KilledDeviceKeepsRegistrationsAndFiresThePassedOneOnRestart) {
    auto waiter = open_waiter(u"Passed");
    auto first = start_answering_device();
    ASSERT_TRUE(first);
    ASSERT_NE(register_event_at(u"Passed", local_in(kHourMs)), 0u);
    ASSERT_NE(register_probe(notify::kTriggerEvent, {}, u"changed"), 0u);
    first->kill_hard();

    // The clock moves while no device runs: no time-change firing is owed for that.
    ASSERT_TRUE(set_device_clock_offset_ms(device_clock_offset_ms() + 2 * kHourMs));
    ASSERT_EQ(notify::list_user_notifications().size(), 2u);
    auto second = start_answering_device();
    ASSERT_TRUE(second) << "a stale lock and socket of the killed device do not block";
    EXPECT_EQ(waiter.wait(10s), Event::WaitResult::Signalled);
    settle();
    auto left = notify::list_user_notifications();
    ASSERT_EQ(left.size(), 1u);
    EXPECT_EQ(left[0].trigger.type, notify::kTriggerEvent);
    EXPECT_EQ(probe_count("started changed"), 0u);
}

TEST_F(DeviceRunTest, EachDeviceClockChangeFiresTimeChangeTriggersOnce) {
    ASSERT_NE(register_probe(notify::kTriggerEvent, {}, u"changed"), 0u);
    auto running = start_answering_device();
    ASSERT_TRUE(running);
    settle();
    EXPECT_EQ(probe_count("started changed"), 0u) << "starting is not a clock change";

    auto moved = run_zt_device({ "clock", "--offset", "120" });
    ASSERT_EQ(moved.exit_code, 0) << moved.err;
    EXPECT_NE(moved.out.find("offset\t120"), std::string::npos) << moved.out;
    ASSERT_TRUE(eventually([&] { return probe_count("started changed") >= 1; },
                           kPatience, "the probe to log the first time change"));
    settle();
    EXPECT_EQ(probe_count("started changed"), 1u);

    ASSERT_EQ(run_zt_device({ "clock", "--set", "2030-01-01 00:00:00" }).exit_code, 0);
    ASSERT_TRUE(eventually([&] { return probe_count("started changed") >= 2; },
                           kPatience, "the probe to log the second time change"));
    settle();
    EXPECT_EQ(probe_count("started changed"), 2u);
    EXPECT_EQ(notify::list_user_notifications().size(), 1u) << "the event registration stays";
}

TEST_F(DeviceRunTest, ServicesLoadInOrderAndAreManagedThroughTheDevice) {
    ASSERT_TRUE(testing::install_test_service(device.path(), "AAA", "ZunTimeService.dll"));
    ASSERT_TRUE(testing::install_test_service(device.path(), "BBB", "Other.dll"));
    ASSERT_TRUE(testing::register_test_service("Other", "Other.dll", "BBB", 9, 0));
    ASSERT_TRUE(testing::register_test_service("ZunTimeService", "ZunTimeService.dll", "AAA", 2, 0));
    EXPECT_EQ(services::activate_service(u"ZunTimeService").status, services::ServiceStatus::DeviceNotRunning);

    auto running = start_answering_device();
    ASSERT_TRUE(running);
    auto status = run_zt_device({ "status" });
    EXPECT_NE(status.out.find("running\tyes\npid\t" + std::to_string(running->pid())), std::string::npos) << status.out;
    EXPECT_NE(status.out.find("\tZunTimeService\tAAA0:\n"), std::string::npos) << status.out;

    auto handle = services::get_service_handle(u"AAA0:");
    ASSERT_EQ(handle.status, services::ServiceStatus::Ok);
    EXPECT_EQ(services::activate_service(u"ZunTimeService").status, services::ServiceStatus::AlreadyActive);
    EXPECT_EQ(services::deregister_service(handle.handle), services::ServiceStatus::Ok);
    EXPECT_EQ(services::get_service_handle(u"AAA0:").status, services::ServiceStatus::NotFound);
    auto again = services::activate_service(u"ZunTimeService");
    EXPECT_EQ(again.status, services::ServiceStatus::Ok);
    EXPECT_EQ(running->stop(), 0);

    EXPECT_EQ(read_lines(device.path() / "services.log"),
              (std::vector<std::string> { "AAA init 0", "BBB init 0", "AAA deinit 4096", "AAA init 0",
                                          "AAA deinit 4096", "BBB deinit 4096" }));
}

TEST_F(DeviceRunTest, NotifyVerbsAddListAndClear) {
    auto added = run_zt_device({ "notify", "add", "--at", "2031-05-06 07:08:09", "\\\\.\\Notifications\\NamedEvents\\X" });
    ASSERT_EQ(added.exit_code, 0) << added.err;
    auto change = run_zt_device({ "notify", "add", "--on", "time-change", "\\Windows\\probe.exe", "--args", "x" });
    ASSERT_EQ(change.exit_code, 0) << change.err;
    std::string first = added.out.substr(0, added.out.size() - 1);
    std::string second = change.out.substr(0, change.out.size() - 1);
    auto list = run_zt_device({ "notify", "list" });
    EXPECT_EQ(list.out, first + "\ttime\t2031-05-06 07:08:09\t\\\\.\\Notifications\\NamedEvents\\X\n" + second +
                            "\tevent\t1\t\\Windows\\probe.exe\n");
    EXPECT_EQ(run_zt_device({ "notify", "clear", first }).exit_code, 0);
    EXPECT_EQ(run_zt_device({ "notify", "clear", first }).exit_code, 1);
    EXPECT_EQ(run_zt_device({ "notify", "add", "--at", "2031-02-30 00:00:00", "\\x" }).exit_code, 2);
    EXPECT_EQ(run_zt_device({ "notify", "add", "--on", "boot", "\\x" }).exit_code, 2);
    EXPECT_EQ(run_zt_device({ "notify", "add", "--at", "2031-01-01 00:00:00", "" }).exit_code, 2);
    EXPECT_EQ(run_zt_device({ "frobnicate" }).exit_code, 2);
    EXPECT_EQ(run_zt_device({ "--root" }).exit_code, 2);
    EXPECT_EQ(run_zt_device({ "--help" }).exit_code, 0);
}

// Puts garbage where the notification volume is, as a failing disk or a careless copy would.
void damage_volume(const fs::path& root) {
    for (const char* name : { "mxip_notify.vol-wal", "mxip_notify.vol-shm" }) fs::remove(root / name);
    std::ofstream(root / "mxip_notify.vol", std::ios::binary | std::ios::trunc) << std::string(4096, '\x33');
}

std::string file_text(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return { std::istreambuf_iterator<char>(in), {} };
}

TEST_F(DeviceRunTest, NotifyListOnADamagedVolumeFailsPlainly) {
    ASSERT_NE(register_event_at(u"A", local_in(kHourMs)), 0u);
    damage_volume(device.path());
    auto list = run_zt_device({ "notify", "list" });
    EXPECT_EQ(list.exit_code, 2) << "a damaged volume listed as no registrations";
    EXPECT_NE(list.err.find("cannot read the notification volume"), std::string::npos) << list.err;
    EXPECT_NE(list.err.find("mxip_notify.vol"), std::string::npos) << list.err;
}

TEST_F(DeviceRunTest, StartingRepairsADamagedVolumeAndSaysSo) {
    damage_volume(device.path());
    const fs::path said = device.path() / "device.err";
    auto running = start_answering_device(said);
    ASSERT_TRUE(running);
    EXPECT_NE(file_text(said).find("moved it to"), std::string::npos) << file_text(said);
    auto list = run_zt_device({ "notify", "list" });
    EXPECT_EQ(list.exit_code, 0) << list.err;
    auto added = run_zt_device({ "notify", "add", "--at", "2031-05-06 07:08:09", "\\\\.\\Notifications\\NamedEvents\\X" });
    EXPECT_EQ(added.exit_code, 0) << "registrations work again: " << added.err;
}

TEST_F(DeviceRunTest, ServicesStartAgainWhenTheirRegistrationsAreLost) {
    ASSERT_TRUE(testing::install_test_service(device.path(), "AAA", "ZunTimeService.dll"));
    ASSERT_TRUE(testing::register_test_service("ZunTimeService", "ZunTimeService.dll", "AAA", 2, 0));
    ASSERT_NE(register_event_at(u"Before", local_in(kHourMs)), 0u);
    auto running = start_answering_device(device.path() / "device.err");
    ASSERT_TRUE(running);
    settle();
    EXPECT_EQ(read_lines(device.path() / "services.log"), (std::vector<std::string> { "AAA init 0" }));

    damage_volume(device.path());
    ::testing::internal::CaptureStderr();
    ASSERT_NE(register_event_at(u"After", local_in(kHourMs)), 0u) << "the damaged volume was not replaced";
    ::testing::internal::GetCapturedStderr();
    // The service registers what it needs when it starts: that is how its lost registrations
    // come back, whatever they were.
    const std::vector<std::string> restarted { "AAA init 0", "AAA deinit 4096", "AAA init 0" };
    EXPECT_TRUE(eventually([&] { return read_lines(device.path() / "services.log") == restarted; },
                           kPatience, "the restarted services in services.log"))
        << file_text(device.path() / "services.log") << file_text(device.path() / "device.err");
    settle();
    EXPECT_EQ(read_lines(device.path() / "services.log"), restarted) << "restarted once, not on every change";
}

TEST_F(DeviceRunTest, ClockVerbShowsAndRefusesBadInput) {
    auto shown = run_zt_device({ "--root", device.path().string(), "clock" });
    EXPECT_EQ(shown.exit_code, 0);
    EXPECT_NE(shown.out.find("offset\t0\n"), std::string::npos) << shown.out;
    EXPECT_EQ(run_zt_device({ "clock", "--offset", "1h" }).exit_code, 2);
    EXPECT_EQ(run_zt_device({ "clock", "--set", "tomorrow" }).exit_code, 2);
    // Far outside the years the device shows: refused with a word, not wrapped or stored.
    for (const char* seconds : { "999999999999", "-999999999999", "300000000000" }) {
        auto refused = run_zt_device({ "clock", "--offset", seconds });
        EXPECT_EQ(refused.exit_code, 2) << seconds;
        EXPECT_NE(refused.err.find("between the years 1601 and 9999"), std::string::npos) << refused.err;
    }
    auto refused = run_zt_device({ "clock", "--set", "1600-12-31 23:00:00" });
    EXPECT_EQ(refused.exit_code, 2) << refused.out;
    EXPECT_EQ(device_clock_offset_ms(), 0) << "refused input changes nothing";
    EXPECT_EQ(run_zt_device({ "clock", "--set", "9999-06-01 12:00:00" }).exit_code, 0) << "the last year is fine";

    // A device_clock file of the wrong size is named as damaged and read as no offset.
    {
        std::FILE* f = std::fopen((device.path() / "device_clock").c_str(), "ab");
        ASSERT_NE(f, nullptr);
        std::fputs("x", f);
        std::fclose(f);
    }
    auto damaged = run_zt_device({ "clock" });
    EXPECT_EQ(damaged.exit_code, 0);
    EXPECT_NE(damaged.err.find("damaged"), std::string::npos) << damaged.err;
    EXPECT_NE(damaged.out.find("offset\t0\n"), std::string::npos) << damaged.out;
}

}  // namespace
}  // namespace zt::platform
