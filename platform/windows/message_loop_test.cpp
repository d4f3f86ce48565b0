// The plain loop: WM_CLOSE, WM_DESTROY and WM_QUIT as the handheld treats them.
#include "platform/windows/message_loop.h"

#include <gtest/gtest.h>

#include "platform/testing/temp_device_root.h"
#include "platform/windows/local_mailbox.h"
#include "platform/windows/message_sender.h"
#include "platform/windows/testing/window_test_support.h"
#include "platform/windows/window_lookup.h"

namespace zt::platform {
namespace {
using namespace std::chrono_literals;
using testing::MessageLog;

class MessageLoopTest : public ::testing::Test {
protected:
    testing::TempDeviceRoot m_device;
    MessageLog m_log;
};

TEST_F(MessageLoopTest, CloseByDefaultDestroysTheWindowAfterTellingIt) {
    auto window = Window::create(u"Closable", u"", m_log.procedure());
    ASSERT_TRUE(window);
    WindowHandle handle = window->handle();
    ASSERT_EQ(post_message(handle, WM_CLOSE), DeliveryStatus::Delivered);
    ASSERT_EQ(post_message(handle, WM_USER), DeliveryStatus::Delivered);

    EXPECT_EQ(run_message_loop(*window), 0u) << "the loop ends with its window";
    EXPECT_EQ(m_log.numbers(), (std::vector<std::uint32_t> { WM_CLOSE, WM_DESTROY }))
        << "WM_DESTROY comes while the window still exists; what was queued after is dropped";
    EXPECT_FALSE(is_window(handle));
    EXPECT_EQ(post_message(handle, WM_USER), DeliveryStatus::NoSuchWindow);
    Message message;
    EXPECT_EQ(get_message(*window, message, 0ms), GetResult::WindowGone);
}

TEST_F(MessageLoopTest, HandledCloseKeepsTheWindowAndQuitEndsTheLoop) {
    auto window = Window::create(u"Stubborn", u"", m_log.procedure({ WM_CLOSE }));
    ASSERT_TRUE(window);
    post_message(window->handle(), WM_CLOSE);
    post_message(window->handle(), WM_DESTROY);  // posted by someone: only a message
    post_message(window->handle(), WM_QUIT, 3);
    post_message(window->handle(), WM_USER);

    EXPECT_EQ(run_message_loop(*window), 3u);
    EXPECT_EQ(m_log.numbers(), (std::vector<std::uint32_t> { WM_CLOSE, WM_DESTROY }))
        << "WM_QUIT itself never reaches the procedure";
    EXPECT_TRUE(is_window(window->handle()));
    Message message;
    EXPECT_EQ(get_message(*window, message, 0ms), GetResult::Message) << "what came after WM_QUIT waits";
    EXPECT_EQ(message.number, WM_USER);
}

TEST_F(MessageLoopTest, UnknownNumbersAreAnsweredZeroAndChangeNothing) {
    auto window = Window::create(u"Plain", u"", nullptr);
    ASSERT_TRUE(window);
    for (std::uint32_t number : { 0u, 0x7FFFu, 0xFFFFFFFFu, 0x0469u }) {
        EXPECT_EQ(send_message(window->handle(), number, 1, 2, 0ms).answer, 0u) << number;
        EXPECT_EQ(post_message(window->handle(), number, 1, 2), DeliveryStatus::Delivered);
    }
    Message message;
    int posted = 0;
    while (get_message(*window, message, 0ms) == GetResult::Message) {
        EXPECT_EQ(window->dispatch(message), 0u);
        ++posted;
    }
    EXPECT_EQ(posted, 4);
    EXPECT_TRUE(is_window(window->handle()));
}

TEST_F(MessageLoopTest, DestroyDuringASentMessageIsSafe) {
    auto window = Window::create(u"Fragile", u"", m_log.procedure());
    ASSERT_TRUE(window);
    auto result = send_message(window->handle(), WM_CLOSE, 0, 0, 0ms);
    EXPECT_EQ(result.status, DeliveryStatus::Delivered);
    EXPECT_TRUE(window->destroyed());
    EXPECT_EQ(send_message(window->handle(), WM_USER, 0, 0, 0ms).status, DeliveryStatus::NoSuchWindow);
    window->destroy();  // a second time does nothing
    EXPECT_EQ(m_log.numbers(), (std::vector<std::uint32_t> { WM_CLOSE, WM_DESTROY }));
}

TEST_F(MessageLoopTest, WaitWithALimitTimesOut) {
    auto window = Window::create(u"Idle", u"", nullptr);
    ASSERT_TRUE(window);
    Message message;
    EXPECT_EQ(get_message(*window, message, 20ms), GetResult::TimedOut);
}

TEST_F(MessageLoopTest, FullQueueRefusesPostsUntilTheLoopCatchesUp) {
    auto window = Window::create(u"Busy", u"", nullptr);
    ASSERT_TRUE(window);
    for (std::size_t i = 0; i < detail::kMaxPostedMessages; ++i)
        ASSERT_EQ(post_message(window->handle(), WM_USER, static_cast<std::uint32_t>(i)), DeliveryStatus::Delivered);
    EXPECT_EQ(post_message(window->handle(), WM_USER), DeliveryStatus::TimedOut);
    Message message;
    ASSERT_EQ(get_message(*window, message, 0ms), GetResult::Message);
    EXPECT_EQ(message.wparam, 0u);
    EXPECT_EQ(post_message(window->handle(), WM_USER), DeliveryStatus::Delivered);
}

}  // namespace
}  // namespace zt::platform
