// Closing another program by its window: the polite steps, the end, and what is left alone.
#include "platform/windows/program_close.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "platform/kernel/process.h"
#include "platform/kernel/testing/test_device.h"
#include "platform/windows/testing/window_test_support.h"
#include "platform/windows/window_lookup.h"

namespace zt::platform {
namespace {

using namespace std::chrono_literals;
using testing::ChildWindow;

class ProgramClose : public ::testing::Test {
protected:
    // Records every pause. The short ones after an end are slept; a check's pause lasts until
    // `watched` is gone (at most 5 s of real time: the child's loop handling WM_CLOSE), or not
    // at all when nothing is watched, so six checks cost nothing.
    ProgramClosePolicy policy(std::uint32_t exit_code, std::chrono::milliseconds wait_after_end,
                              WindowHandle watched = 0) {
        return { .check_interval = 1700ms,
                 .checks = 3,
                 .exit_code = exit_code,
                 .wait_after_end = wait_after_end,
                 .pause = [this, watched](std::chrono::milliseconds duration) {
                     m_pauses.push_back(duration);
                     if (duration <= 20ms) std::this_thread::sleep_for(duration);
                     const auto limit = std::chrono::steady_clock::now() + 5s;
                     while (watched != 0 && is_window(watched) && std::chrono::steady_clock::now() < limit)
                         std::this_thread::sleep_for(5ms);
                 } };
    }
    std::vector<std::chrono::milliseconds> checks() const {
        std::vector<std::chrono::milliseconds> long_ones;
        for (auto pause : m_pauses)
            if (pause > 20ms) long_ones.push_back(pause);
        return long_ones;
    }

    testing::TestDevice m_device;
    std::vector<std::chrono::milliseconds> m_pauses;
};

TEST_F(ProgramClose, AProgramThatHandlesCloseGoesAfterTheFirstCheck) {
    ChildWindow child(u"ZtCloseTest", u"polite", ChildWindow::Mode::Serve);
    ASSERT_TRUE(child.ok());
    const auto info = find_window(u"ZtCloseTest");
    ASSERT_TRUE(info);
    EXPECT_TRUE(close_program_window(*info, policy(0, 0ms, info->handle)));
    EXPECT_EQ(checks(), std::vector<std::chrono::milliseconds> { 1700ms }) << "gone at the first look";
    EXPECT_NE(child.wait_exit(), 128 + 9) << "it ended by itself, not by a kill";
}

TEST_F(ProgramClose, AProgramThatIgnoresBothMessagesIsEndedAfterSixChecks) {
    ChildWindow child(u"ZtCloseTest", u"deaf", ChildWindow::Mode::Mute);
    ASSERT_TRUE(child.ok());
    const auto info = find_window(u"ZtCloseTest");
    ASSERT_TRUE(info);
    EXPECT_TRUE(close_program_window(*info, policy(static_cast<std::uint32_t>(-1), 1000ms)))
        << "its window goes with the process, and that is waited for";
    EXPECT_EQ(checks(), std::vector<std::chrono::milliseconds>(6, 1700ms)) << "three after WM_CLOSE, three after WM_QUIT";
    EXPECT_FALSE(is_window(info->handle));
}

TEST_F(ProgramClose, OwnWindowsAndVanishedOnesAreLeftAlone) {
    auto own = Window::create(u"ZtCloseTestOwn", u"", nullptr);
    ASSERT_TRUE(own);
    const auto info = find_window(u"ZtCloseTestOwn");
    ASSERT_TRUE(info);
    ASSERT_EQ(info->process_id, current_process_id());
    EXPECT_FALSE(close_program_window(*info, policy(0, 0ms))) << "a program cannot wait for its own loop";
    EXPECT_TRUE(is_window(info->handle));

    WindowInfo gone = *info;
    own.reset();
    EXPECT_TRUE(close_program_window(gone, policy(0, 0ms)));
    EXPECT_TRUE(close_program_window(WindowInfo {}, policy(0, 0ms))) << "no window at all";
    EXPECT_TRUE(m_pauses.empty()) << "nothing was waited for";
}

}  // namespace
}  // namespace zt::platform
