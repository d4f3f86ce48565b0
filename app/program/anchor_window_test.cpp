#include "app/program/anchor_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QEventLoop>
#include <QTimer>

#include <chrono>
#include <future>
#include <string>
#include <vector>

#include "app/model/anchor_protocol.h"
#include "contracts/item_command.h"
#include "contracts/main_program.h"
#include "core/time_store.h"
#include "platform/gui/testing/widget_test_app.h"
#include "platform/testing/temp_device_root.h"
#include "platform/windows/message_sender.h"
#include "platform/windows/window_lookup.h"

namespace {

namespace platform = zt::platform;
using zt::app::AnchorWindow;

class RecordingPort final : public zt::app::MainDialogPort {
public:
    void second_instance_line(std::u16string_view line) override { calls.push_back(u"line:" + std::u16string(line)); }
    void bring_forward() override { calls.push_back(u"forward"); }
    void end_screensaver() override { calls.push_back(u"end screensaver"); }
    void item_command(int32_t item_id, uint16_t command, uint16_t argument) override {
        calls.push_back(u"item:" + to_u16(item_id) + u"," + to_u16(command) + u"," + to_u16(argument));
    }
    void setting_changed() override { calls.push_back(u"setting"); }
    void close_and_quit() override { calls.push_back(u"close"); }

    std::vector<std::u16string> calls;

private:
    static std::u16string to_u16(long value) {
        const std::string text = std::to_string(value);
        return std::u16string(text.begin(), text.end());
    }
};

class AnchorWindowTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { zt::platform::gui::testing::widget_test_app(); }
    void SetUp() override {
        anchor = AnchorWindow::create(store);
        ASSERT_TRUE(anchor);
        handle = anchor->window().handle();
    }
    // Runs the event loop until the sends of another thread (another program, as far as the
    // window can tell) are done and what they queued was handled.
    template <class Work>
    auto from_another_thread(Work work) {
        auto result = std::async(std::launch::async, work);
        while (result.wait_for(std::chrono::milliseconds(0)) != std::future_status::ready) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        }
        for (int i = 0; i < 20; ++i) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        return result.get();
    }
    platform::SendResult send_line(std::u16string_view line, uint32_t data_word = 0) {
        const auto bytes = zt::app::encode_command_line(line);
        return from_another_thread([&] {
            return platform::send_copy_data(handle, 0, data_word, bytes, std::chrono::seconds(5));
        });
    }
    void post(uint32_t number, uint32_t wparam = 0, uint32_t lparam = 0) {
        from_another_thread([&] { return platform::post_message(handle, number, wparam, lparam); });
    }

    platform::testing::TempDeviceRoot root;
    zt::core::CTimeStore store;
    std::unique_ptr<AnchorWindow> anchor;
    platform::WindowHandle handle { 0 };
    RecordingPort port;
};

TEST_F(AnchorWindowTest, FoundByClassShownWithTheProgramsTitleAndNoSize) {
    const auto found = platform::find_window(std::u16string_view(zt::contracts::kMainProgramClass));
    ASSERT_TRUE(found);
    EXPECT_EQ(found->handle, handle);
    EXPECT_EQ(found->title, u"Zun Time");
    EXPECT_TRUE(found->visible);
    EXPECT_EQ(found->rect.right - found->rect.left, 0);
    EXPECT_EQ(found->rect.bottom - found->rect.top, 0);
}

TEST_F(AnchorWindowTest, EveryMessageReachesTheMainDialogWhileItExists) {
    *anchor->port_slot() = &port;
    EXPECT_EQ(send_line(u"NewAlarm").status, platform::DeliveryStatus::Delivered);
    post(zt::contracts::kMsgBringForward);
    post(zt::contracts::kMsgEndScreenSaver);
    post(zt::contracts::kMsgItemCommand, 12, zt::contracts::item_command_parameter(zt::contracts::ItemCommand::Snooze, 10));
    post(zt::platform::WM_SETTINGCHANGE);
    post(platform::WM_CLOSE);
    EXPECT_EQ(port.calls, (std::vector<std::u16string> { u"line:NewAlarm", u"forward", u"end screensaver",
                                                         u"item:12,0,10", u"setting", u"close" }));
    EXPECT_TRUE(platform::is_window(handle)) << "WM_CLOSE ends the dialog, never the anchor by itself";
}

TEST_F(AnchorWindowTest, ForeignAndEmptyPayloadsAreIgnored) {
    *anchor->port_slot() = &port;
    EXPECT_EQ(send_line(u"NewAlarm", 1130).answer, 0u);
    EXPECT_EQ(send_line(u"").answer, 0u);
    const std::vector<uint8_t> odd { 'N', 0, 'e' };
    from_another_thread([&] { return platform::send_copy_data(handle, 0, 0, odd, std::chrono::seconds(5)); });
    post(platform::WM_COPYDATA);  // the device refuses a posted WM_COPYDATA; nothing arrives
    post(zt::platform::WM_ENABLE, 0);
    post(0x0401);
    EXPECT_TRUE(port.calls.empty());
    EXPECT_TRUE(platform::is_window(handle));
}

TEST_F(AnchorWindowTest, WithoutADialogLinesAreDroppedAndItemCommandsStillReachTheStore) {
    auto* alarm = static_cast<zt::core::CAlarm*>(store.create_item(zt::core::ItemType::Alarm, 3));
    ASSERT_NE(alarm, nullptr);
    EXPECT_EQ(send_line(u"NewAlarm").answer, 0u);
    post(zt::contracts::kMsgItemCommand, 3, zt::contracts::item_command_parameter(zt::contracts::ItemCommand::Disable, 0));
    EXPECT_TRUE(alarm->flags & zt::core::CAlarm::kDisabled) << "command 6 disables";
    post(zt::contracts::kMsgBringForward);
    post(zt::contracts::kMsgEndScreenSaver);
    EXPECT_TRUE(port.calls.empty());
}

TEST_F(AnchorWindowTest, CloseWithoutADialogEndsTheEventLoop) {
    // The application's own loop: what a command line's dialog runs inside, and the one loop
    // whose end leaves the next one free to run.
    bool timed_out = false;
    QTimer limit;
    limit.setSingleShot(true);
    QObject::connect(&limit, &QTimer::timeout, [&] {
        timed_out = true;
        QCoreApplication::exit(1);
    });
    limit.start(5000);
    std::thread closer([this] { platform::post_message(handle, platform::WM_CLOSE); });
    const int code = QCoreApplication::exec();
    closer.join();
    EXPECT_FALSE(timed_out);
    EXPECT_EQ(code, 0);
    EXPECT_TRUE(platform::is_window(handle));
}

}  // namespace
