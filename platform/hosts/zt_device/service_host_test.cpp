#include "platform/hosts/zt_device/service_host.h"

#include <gtest/gtest.h>

#include "platform/hosts/zt_device/testing/service_fixture.h"
#include "platform/testing/temp_device_root.h"

namespace zt::platform::services {
namespace {

using testing::read_lines;
using testing::register_test_service;
using Lines = std::vector<std::string>;

class ServiceHostTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(testing::install_test_service(device.path(), "AAA", "First.dll"));
        ASSERT_TRUE(testing::install_test_service(device.path(), "BBB", "Second.dll"));
    }
    Lines log() const { return read_lines(device.path() / "services.log"); }
    testing::TempDeviceRoot device;
};

TEST_F(ServiceHostTest, LoadsInOrderAndDeinitsInReverseWithInitsAnswer) {
    ASSERT_TRUE(register_test_service("Zeta", "First.dll", "AAA", 1, 0));
    ASSERT_TRUE(register_test_service("Alpha", "Second.dll", "BBB", 5, 3));
    {
        ServiceHost host;
        EXPECT_EQ(host.load_registered(), 2u);
        auto loaded = host.loaded();
        ASSERT_EQ(loaded.size(), 2u);
        EXPECT_EQ(loaded[0].device_name, u"AAA0:");
        EXPECT_EQ(loaded[1].device_name, u"BBB3:");
        EXPECT_EQ(log(), (Lines { "AAA init 0", "BBB init 3" })) << "Order, not key name, decides; context is the index";
    }
    // 0x1000 + index is what the test service's Init returned.
    EXPECT_EQ(log(), (Lines { "AAA init 0", "BBB init 3", "BBB deinit 4099", "AAA deinit 4096" }));
}

TEST_F(ServiceHostTest, FailingOrBrokenServicesAreSkipped) {
    std::ofstream(device.path() / "fail_AAA") << "";
    ASSERT_TRUE(register_test_service("Failing", "First.dll", "AAA", 1, 0));
    ASSERT_TRUE(register_test_service("Missing", "Nowhere.dll", "CCC", 2, 0));
    ASSERT_TRUE(register_test_service("WrongPrefix", "Second.dll", "XYZ", 3, 0));
    ASSERT_TRUE(register_test_service("BadPrefix", "Second.dll", "B B", 4, 0));
    ASSERT_TRUE(register_test_service("Good", "Second.dll", "BBB", 5, 0));
    ServiceHost host;
    EXPECT_EQ(host.load_registered(), 1u);
    ASSERT_EQ(host.loaded().size(), 1u);
    EXPECT_EQ(host.loaded()[0].name, u"Good");
}

TEST_F(ServiceHostTest, ActivateFindAndDeregister) {
    ASSERT_TRUE(register_test_service("ZunTimeService", "First.dll", "AAA", 0, 0, std::nullopt, kFlagNoLoad));
    ServiceHost host;
    EXPECT_EQ(host.load_registered(), 0u) << "the no-load flag keeps it out at start";
    EXPECT_EQ(host.activate(u"NotThere").outcome, ServiceHost::Outcome::NotRegistered);
    auto first = host.activate(u"zuntimeservice");
    ASSERT_EQ(first.outcome, ServiceHost::Outcome::Loaded);
    auto again = host.activate(u"ZunTimeService");
    EXPECT_EQ(again.outcome, ServiceHost::Outcome::AlreadyActive);
    EXPECT_EQ(again.handle, first.handle);
    EXPECT_EQ(host.find(u"aaa0:"), first.handle);
    EXPECT_FALSE(host.find(u"AAA1:"));
    EXPECT_TRUE(host.deregister(first.handle));
    EXPECT_FALSE(host.deregister(first.handle));
    EXPECT_FALSE(host.find(u"AAA0:"));
    EXPECT_EQ(log(), (Lines { "AAA init 0", "AAA deinit 4096" }));
}

TEST_F(ServiceHostTest, KeepZeroRunsInitAndLetsGo) {
    ASSERT_TRUE(register_test_service("Once", "First.dll", "AAA", 0, 0, 0u));
    ServiceHost host;
    EXPECT_EQ(host.load_registered(), 0u);
    EXPECT_EQ(log(), (Lines { "AAA init 0" }));
}

TEST_F(ServiceHostTest, LibraryPathMayNotLeaveTheDevice) {
    ASSERT_TRUE(register_test_service("Escape", "..\\..\\..\\etc\\x.dll", "AAA", 0, 0));
    ServiceHost host;
    EXPECT_EQ(host.load_registered(), 0u);
}

}  // namespace
}  // namespace zt::platform::services
