// zt-device windows / post against a window of the test process.
#include <gtest/gtest.h>
#include <unistd.h>

#include "platform/testing/running_device.h"
#include "platform/testing/temp_device_root.h"
#include "platform/windows/message_loop.h"
#include "platform/windows/window.h"

namespace zt::platform {
namespace {

using testing::run_zt_device;

TEST(WindowVerbs, ListsWindowsAndPostsByClassOrHandle) {
    testing::TempDeviceRoot device;
    auto window = Window::create(u"ZtVerbTestClass", u"Verb test", [](Window&, const Message&) {
        return std::optional<std::uint32_t> {};
    });
    ASSERT_TRUE(window);
    auto listed = run_zt_device({ "windows" });
    ASSERT_EQ(listed.exit_code, 0) << listed.err;
    std::string expected = std::to_string(window->handle()) + "\tZtVerbTestClass\tVerb test\t" + std::to_string(getpid()) + "\t";
    EXPECT_NE(listed.out.find(expected), std::string::npos) << listed.out;

    auto by_class = run_zt_device({ "post", "--class", "ztverbtestclass", "0x499", "7", "0x10" });
    ASSERT_EQ(by_class.exit_code, 0) << by_class.err;
    Message message;
    ASSERT_EQ(get_message(*window, message, std::chrono::seconds(10)), GetResult::Message);
    EXPECT_EQ(message.number, 0x499u);
    EXPECT_EQ(message.wparam, 7u);
    EXPECT_EQ(message.lparam, 16u);

    auto by_handle = run_zt_device({ "post", "--handle", std::to_string(window->handle()), "1178" });
    ASSERT_EQ(by_handle.exit_code, 0) << by_handle.err;
    ASSERT_EQ(get_message(*window, message, std::chrono::seconds(10)), GetResult::Message);
    EXPECT_EQ(message.number, 1178u);
    EXPECT_EQ(message.wparam, 0u);

    EXPECT_EQ(run_zt_device({ "post", "--class", "NoSuchClass", "1" }).exit_code, 1);
    EXPECT_EQ(run_zt_device({ "post", "--class", "ZtVerbTestClass", "lots" }).exit_code, 2);
    EXPECT_EQ(run_zt_device({ "post", "--handle", "0", "1" }).exit_code, 2);
    EXPECT_EQ(run_zt_device({ "post", "ZtVerbTestClass", "1" }).exit_code, 2);
}

}  // namespace
}  // namespace zt::platform
