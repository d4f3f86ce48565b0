// Posting and sending between processes and threads.
#include "platform/windows/message_sender.h"

#include <gtest/gtest.h>

#include <thread>

#include "platform/testing/child_process.h"
#include "platform/testing/temp_device_root.h"
#include "platform/windows/message_loop.h"
#include "platform/windows/testing/window_test_support.h"
#include "platform/windows/window_lookup.h"

namespace zt::platform {
namespace {
using namespace std::chrono_literals;
using testing::ChildWindow;
using testing::kPatience;
using testing::MessageLog;
using testing::TempDeviceRoot;

class MessageDeliveryTest : public ::testing::Test {
protected:
    // Serves the window until WM_QUIT; false when it was not reached in time.
    bool serve_until_quit(Window& window) {
        Message message;
        for (;;) {
            switch (get_message(window, message, kPatience)) {
            case GetResult::Message: window.dispatch(message); break;
            case GetResult::Quit: return true;
            case GetResult::TimedOut:
            case GetResult::WindowGone: return false;
            }
        }
    }

    TempDeviceRoot m_device;
    MessageLog m_log;
};

TEST_F(MessageDeliveryTest, PostsFromAnotherProcessArriveInOrder) {
    constexpr std::uint32_t kCount = 3000;  // more than a socket buffer holds: the poster waits for room
    auto window = Window::create(u"Receiver", u"", m_log.procedure());
    ASSERT_TRUE(window);
    WindowHandle target = window->handle();
    pid_t poster = testing::fork_child([&] {
        for (std::uint32_t i = 0; i < kCount; ++i) {
            if (post_message(target, WM_USER + 1, i, ~i) != DeliveryStatus::Delivered) return 1;
        }
        return post_message(target, WM_QUIT, 5) == DeliveryStatus::Delivered ? 0 : 2;
    });
    ASSERT_TRUE(serve_until_quit(*window));
    EXPECT_EQ(testing::wait_child(poster), 0) << "a post failed";
    ASSERT_EQ(m_log.seen().size(), kCount) << "WM_QUIT never reaches the procedure";
    for (std::uint32_t i = 0; i < kCount; ++i) {
        ASSERT_EQ(m_log.seen()[i].wparam, i) << "out of order at " << i;
        ASSERT_EQ(m_log.seen()[i].lparam, ~i);
    }
}

TEST_F(MessageDeliveryTest, SendsToAnotherProcessReturnTheProcedureAnswer) {
    ChildWindow child(u"Answering", u"");
    ASSERT_TRUE(child.ok());
    auto plain = send_message(child.handle(), 0x0499, 10, 20, kPatience);
    EXPECT_EQ(plain.status, DeliveryStatus::Delivered);
    EXPECT_EQ(plain.answer, testing::expected_answer(0x0499, 10, 20));

    std::vector<std::uint8_t> city(300);
    for (std::size_t i = 0; i < city.size(); ++i) city[i] = static_cast<std::uint8_t>(i * 7);
    auto copied = send_copy_data(child.handle(), 0, 1130, city, kPatience);
    EXPECT_EQ(copied.status, DeliveryStatus::Delivered);
    EXPECT_EQ(copied.answer, testing::expected_copy_data_answer(1130, city));

    std::vector<std::uint8_t> largest(kMaxCopyDataBytes, 0xFF);
    auto big = send_copy_data(child.handle(), 0, 0, largest, kPatience);
    EXPECT_EQ(big.status, DeliveryStatus::Delivered);
    EXPECT_EQ(big.answer, testing::expected_copy_data_answer(0, largest));

    EXPECT_EQ(post_message(child.handle(), WM_QUIT, 9), DeliveryStatus::Delivered);
    EXPECT_EQ(child.wait_exit(), 9);
}

TEST_F(MessageDeliveryTest, SendTimesOutWhenTheWindowDoesNotAnswer) {
    ChildWindow child(u"Mute", u"", ChildWindow::Mode::Mute);
    ASSERT_TRUE(child.ok());
    EXPECT_EQ(send_message(child.handle(), WM_USER, 0, 0, 100ms).status, DeliveryStatus::TimedOut);
    std::uint8_t byte = 1;
    EXPECT_EQ(send_copy_data(child.handle(), 0, 0, { &byte, 1 }, 100ms).status, DeliveryStatus::TimedOut);
    EXPECT_EQ(post_message(child.handle(), WM_USER), DeliveryStatus::Delivered) << "posting does not wait";
}

TEST_F(MessageDeliveryTest, SendingCloseDestroysTheWindowAndLetsTheSenderGo) {
    ChildWindow child(u"Closing", u"");
    ASSERT_TRUE(child.ok());
    auto result = send_message(child.handle(), WM_CLOSE, 0, 0, kPatience);
    EXPECT_EQ(result.status, DeliveryStatus::NoSuchWindow) << "destroyed while handling: no answer";
    EXPECT_EQ(child.wait_exit(), 0) << "its loop ends with the window";
    EXPECT_FALSE(is_window(child.handle()));
}

TEST_F(MessageDeliveryTest, SendFromTheOwningThreadRunsTheProcedureDirectly) {
    auto window = Window::create(u"Self", u"", m_log.procedure({ WM_USER, WM_COPYDATA }, 77));
    ASSERT_TRUE(window);
    EXPECT_EQ(send_message(window->handle(), WM_USER, 1, 2, 0ms).answer, 77u);
    std::vector<std::uint8_t> bytes { 9, 8, 7 };
    auto copied = send_copy_data(window->handle(), 0x12345, 1130, bytes, 0ms);
    EXPECT_EQ(copied.status, DeliveryStatus::Delivered);
    EXPECT_EQ(copied.answer, 77u);
    ASSERT_EQ(m_log.seen().size(), 2u);
    EXPECT_EQ(m_log.seen()[1].number, WM_COPYDATA);
    EXPECT_EQ(m_log.seen()[1].wparam, 0x12345u) << "wparam names the sending window";
    EXPECT_EQ(m_log.seen()[1].data_word, 1130u);
    EXPECT_EQ(m_log.seen()[1].bytes, bytes);
}

TEST_F(MessageDeliveryTest, SendFromAnotherThreadOfTheProcessIsAnsweredByTheLoop) {
    auto window = Window::create(u"Threaded", u"", m_log.procedure({ WM_USER + 2 }, 1234));
    ASSERT_TRUE(window);
    SendResult result;
    std::thread sender([&] {
        result = send_message(window->handle(), WM_USER + 2, 0, 0, kPatience);
        post_message(window->handle(), WM_QUIT);
    });
    EXPECT_TRUE(serve_until_quit(*window));
    sender.join();
    EXPECT_EQ(result.status, DeliveryStatus::Delivered);
    EXPECT_EQ(result.answer, 1234u);
}

TEST_F(MessageDeliveryTest, PostsFromThreadsOfTheProcessKeepEachThreadsOrder) {
    constexpr std::uint32_t kPerThread = 2000;
    auto window = Window::create(u"Local", u"", m_log.procedure());
    ASSERT_TRUE(window);
    auto poster = [&](std::uint32_t thread_id) {
        for (std::uint32_t i = 0; i < kPerThread; ++i) {
            while (post_message(window->handle(), WM_USER, i, thread_id) == DeliveryStatus::TimedOut)
                std::this_thread::yield();  // the queue is full until the loop catches up
        }
    };
    std::thread a(poster, 1), b(poster, 2);
    Message message;
    std::size_t received = 0;
    while (received < 2 * kPerThread && get_message(*window, message, kPatience) == GetResult::Message) {
        window->dispatch(message);
        ++received;
    }
    a.join();
    b.join();
    ASSERT_EQ(received, 2 * kPerThread);
    std::uint32_t next[3] = { 0, 0, 0 };
    for (const auto& seen : m_log.seen()) {
        ASSERT_EQ(seen.wparam, next[seen.lparam]) << "thread " << seen.lparam << " out of order";
        ++next[seen.lparam];
    }
}

TEST_F(MessageDeliveryTest, MessagesThatCannotTravelAreRefusedUpFront) {
    ChildWindow child(u"Target", u"");
    ASSERT_TRUE(child.ok());
    EXPECT_EQ(post_message(child.handle(), WM_COPYDATA), DeliveryStatus::NotDeliverable);
    EXPECT_EQ(send_message(child.handle(), WM_COPYDATA, 0, 0, 1s).status, DeliveryStatus::NotDeliverable);
    std::vector<std::uint8_t> too_big(kMaxCopyDataBytes + 1);
    EXPECT_EQ(send_copy_data(child.handle(), 0, 0, too_big, 1s).status, DeliveryStatus::NotDeliverable);
    EXPECT_EQ(post_message(0, WM_USER), DeliveryStatus::NotDeliverable);
    EXPECT_EQ(post_message(0x7FFFFFF0, WM_USER), DeliveryStatus::NoSuchWindow);
    EXPECT_EQ(send_message(0x7FFFFFF0, WM_USER, 0, 0, 1s).status, DeliveryStatus::NoSuchWindow);
    EXPECT_EQ(send_message(child.handle(), WM_USER, 1, 1, kPatience).status, DeliveryStatus::Delivered)
        << "the refusals did not disturb the window";
}

}  // namespace
}  // namespace zt::platform
