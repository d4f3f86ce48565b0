#include <gtest/gtest.h>

#include <fstream>

#include "platform/kernel/event.h"
#include "platform/power/power_status.h"
#include "platform/power/unattended_mode.h"
#include "platform/power/user_activity.h"
#include "platform/profile/device_profile.h"
#include "platform/testing/baton.h"
#include "platform/testing/child_process.h"
#include "platform/testing/temp_device_root.h"
#include "platform/testing/temp_folder.h"

namespace zt::platform {
namespace {

namespace fs = std::filesystem;
using testing::TempDeviceRoot;

class FakeSupplies {
public:
    void add(const std::string& name, const std::string& type, const char* online) {
        fs::create_directories(m_dir / name);
        std::ofstream(m_dir / name / "type") << type << "\n";
        if (online) std::ofstream(m_dir / name / "online") << online << "\n";
    }
    const fs::path& dir() const { return m_dir.path(); }

private:
    testing::TempFolder m_dir { "zt-power" };
};

TEST(PowerStatus, HostSuppliesDecideTheACLine) {
    {
        FakeSupplies none;
        EXPECT_EQ(host_power_status(none.dir()).ac_line, ACLineStatus::Online) << "no battery: a desktop";
    }
    {
        FakeSupplies laptop;
        laptop.add("BAT0", "Battery", nullptr);
        laptop.add("AC", "Mains", "0");
        auto status = host_power_status(laptop.dir());
        EXPECT_EQ(status.ac_line, ACLineStatus::Offline);
        EXPECT_TRUE(status.has_battery);
        laptop.add("usb", "USB", "1");
        EXPECT_EQ(host_power_status(laptop.dir()).ac_line, ACLineStatus::Online) << "any external supply online";
    }
    {
        FakeSupplies phone;
        phone.add("battery", "Battery", nullptr);
        EXPECT_EQ(host_power_status(phone.dir()).ac_line, ACLineStatus::Offline) << "battery and no mains";
        phone.add("ac", "Mains", nullptr);
        EXPECT_EQ(host_power_status(phone.dir()).ac_line, ACLineStatus::Unknown) << "mains that cannot be read";
    }
    EXPECT_EQ(host_power_status("/nonexistent/power").ac_line, ACLineStatus::Online);
}

TEST(PowerStatus, ProfileOverrideComesFirst) {
    TempDeviceRoot device;
    ASSERT_TRUE(write_ac_power(false));
    EXPECT_EQ(system_power_status().ac_line, ACLineStatus::Offline);
    ASSERT_TRUE(write_ac_power(true));
    EXPECT_EQ(system_power_status().ac_line, ACLineStatus::Online);
    EXPECT_STREQ(ac_line_name(ACLineStatus::Offline), "off-line");
}

TEST(UnattendedMode, CountsHoldersAndDropsThoseOfDeadProcesses) {
    TempDeviceRoot device;
    EXPECT_EQ(unattended_mode_holders(), 0u);
    EXPECT_FALSE(power_policy_notify_unattended(false)) << "leaving without entering";
    ASSERT_TRUE(power_policy_notify_unattended(true));
    ASSERT_TRUE(power_policy_notify_unattended(true));
    EXPECT_EQ(unattended_mode_holders(), 2u);

    testing::Baton entered, finish;
    pid_t child = testing::fork_child([&] {
        bool ok = power_policy_notify_unattended(true);
        entered.pass();
        finish.await();
        return ok ? 0 : 1;  // ends holding it
    });
    ASSERT_TRUE(entered.await());
    EXPECT_EQ(unattended_mode_holders(), 3u);
    finish.pass();
    EXPECT_EQ(testing::wait_child(child), 0);
    EXPECT_EQ(unattended_mode_holders(), 2u) << "a dead holder does not count";

    EXPECT_TRUE(power_policy_notify_unattended(false));
    EXPECT_TRUE(power_policy_notify_unattended(false));
    EXPECT_EQ(unattended_mode_holders(), 0u);
}

TEST(UserActivity, SignalSetsTheNamedEventForAWaiter) {
    TempDeviceRoot device;
    auto waiter = Event::create_or_open(kUserActivityEventName, ResetPolicy::Manual, false);
    ASSERT_TRUE(waiter);
    EXPECT_EQ(waiter->event.wait(std::chrono::milliseconds(0)), Event::WaitResult::TimedOut);
    ASSERT_TRUE(signal_user_activity());
    EXPECT_EQ(waiter->event.wait(std::chrono::milliseconds(0)), Event::WaitResult::Signalled);
}

}  // namespace
}  // namespace zt::platform
