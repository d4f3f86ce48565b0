// The product's small programs against a real device root: Notepurge on the notification
// volume, zt-alarm scheduling and telling the Today item.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <fstream>
#include <thread>

#include "contracts/item_command.h"
#include "contracts/service.h"
#include "contracts/today_item.h"
#include "core/notification_schedule.h"
#include "platform/base/clock.h"
#include "platform/notify/user_notification.h"
#include "platform/registry/testing/temp_device_root.h"
#include "platform/windows/message_loop.h"
#include "platform/windows/message_sender.h"
#include "platform/windows/window.h"
#include "tests/service_e2e/running_device.h"

namespace zt::e2e {
namespace {

namespace notify = zt::platform::notify;

std::optional<notify::Handle> register_program(std::u16string_view path) {
    notify::Trigger trigger;
    trigger.type = notify::kTriggerEvent;
    trigger.event = notify::kEventTimeChange;
    trigger.application = std::u16string(path);
    return notify::set_user_notification(0, trigger);
}

std::vector<std::u16string> registered_applications() {
    std::vector<std::u16string> applications;
    for (const auto& registration : notify::list_user_notifications()) applications.push_back(registration.trigger.application);
    return applications;
}

class ToolsEndToEnd : public ::testing::Test {
protected:
    ToolsEndToEnd() {
        m_log = root.path() / "messages.log";
        ::setenv("ZT_MESSAGE_LOG", m_log.c_str(), 1);
    }
    ~ToolsEndToEnd() override { ::unsetenv("ZT_MESSAGE_LOG"); }

    std::vector<std::string> message_lines() const {
        std::vector<std::string> lines;
        std::ifstream in(m_log);
        for (std::string line; std::getline(in, line);) lines.push_back(line);
        return lines;
    }

    zt::platform::testing::TempDeviceRoot root;

private:
    std::filesystem::path m_log;
};

TEST_F(ToolsEndToEnd, NotepurgeDeletesBothCaseVariantsAndKeepsTheRest) {
    ASSERT_TRUE(register_program(u"\\windows\\zuntimenotify.exe"));
    ASSERT_TRUE(register_program(u"\\Program Files\\Other\\keep.exe"));
    ASSERT_TRUE(register_program(u"\\WINDOWS\\ZunTimeNotify.EXE"));
    ASSERT_TRUE(register_program(zt::core::named_event_application(zt::contracts::kTimeChangeNotifyName)));

    EXPECT_EQ(run_program(built_program("Notepurge"), { "NoMsg" }), 2) << "the count is the result";
    EXPECT_TRUE(message_lines().empty()) << "NoMsg is silent";
    EXPECT_EQ(registered_applications(), (std::vector<std::u16string> {
                                             u"\\Program Files\\Other\\keep.exe",
                                             u"\\\\.\\Notifications\\NamedEvents\\TimeChangeNotify" }));

    EXPECT_EQ(run_program(built_program("Notepurge"), { "nomsg" }), 0);
    EXPECT_EQ(message_lines(), (std::vector<std::string> { "Notepurge\tDone! 0 record(s) deleted." }));
}

TEST_F(ToolsEndToEnd, NotepurgeWithoutAVolumeEndsSilently) {
    EXPECT_EQ(run_program(built_program("Notepurge"), { "NoMsg" }), 0);
    EXPECT_TRUE(message_lines().empty());
    EXPECT_FALSE(std::filesystem::exists(root.path() / "mxip_notify.vol"));
}

TEST_F(ToolsEndToEnd, ZtAlarmSchedulesTheNewAlarmAndTellsTheTodayItem) {
    std::atomic<uint32_t> told_id { 0 }, told_command { 0xFFFFFFFF };
    std::atomic<zt::platform::WindowHandle> today { 0 };
    std::thread today_thread([&] {
        auto window = zt::platform::Window::create(
            zt::contracts::kTodayItemClass, u"",
            [&](zt::platform::Window&, const zt::platform::Message& message) -> std::optional<uint32_t> {
                if (message.number != zt::contracts::kMsgItemCommand) return std::nullopt;
                told_id = message.wparam;
                told_command = message.lparam;
                return 0;
            },
            zt::platform::WindowOptions { false, {} });
        if (!window) return;
        today = window->handle();
        zt::platform::run_message_loop(*window);
    });
    ASSERT_TRUE(eventually([&] { return today != 0; }));

    std::string output;
    EXPECT_EQ(run_program(built_program("zt-alarm"), { "--root", root.path().string(), "add", "23:59:30", "--name", "Late" }, &output), 0);
    EXPECT_EQ(output, "1\n");
    EXPECT_TRUE(eventually([&] { return told_id == 1; })) << "Today item not told";
    EXPECT_EQ(told_command, 7u << 16) << "created or changed";

    const std::u16string alarm_notice = zt::core::named_event_application(zt::contracts::kAlarmNotifyName);
    bool registered = false;
    for (const auto& registration : notify::list_user_notifications()) {
        if (registration.trigger.application != alarm_notice) continue;
        registered = true;
        EXPECT_EQ(registration.trigger.start.wHour, 23);
        EXPECT_EQ(registration.trigger.start.wMinute, 59);
        EXPECT_EQ(registration.trigger.start.wSecond, 0);
    }
    EXPECT_TRUE(registered) << "no ZunAlarmNotify registration";

    output.clear();
    EXPECT_EQ(run_program(built_program("zt-alarm"), { "--root", root.path().string(), "list" }, &output), 0);
    EXPECT_TRUE(output.starts_with("1\talarm\tLate\t23:59:30\tenabled\t")) << output;
    EXPECT_EQ(run_program(built_program("zt-alarm"), { "--root", root.path().string(), "enable", "5" }), 1);
    EXPECT_EQ(run_program(built_program("zt-alarm"), { "--root", root.path().string(), "frobnicate" }), 2);

    zt::platform::post_message(today, zt::platform::WM_CLOSE);
    today_thread.join();
}

TEST_F(ToolsEndToEnd, ZtAlarmOnARootThatIsAFileFailsInsteadOfListingNothing) {
    const std::filesystem::path file = root.path() / "not a folder";
    std::ofstream(file) << "x";
    const std::string own_root = std::getenv("ZT_ROOT");
    ::setenv("ZT_ROOT", file.c_str(), 1);
    std::string output;
    const int listed = run_program(built_program("zt-alarm"), { "list" }, &output);
    const int added = run_program(built_program("zt-alarm"), { "add", "07:00" }, &output);
    ::setenv("ZT_ROOT", own_root.c_str(), 1);
    EXPECT_EQ(listed, 2);
    EXPECT_EQ(added, 2);
    EXPECT_EQ(output, "") << "neither records nor an id";
    EXPECT_EQ(run_program(built_program("zt-alarm"), { "--root", file.string(), "list" }), 2);
}

}  // namespace
}  // namespace zt::e2e
