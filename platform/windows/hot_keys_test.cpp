// Hot keys: one owner per key across the device, a dead owner's key free again, the shell's
// release, and what a routed press and release deliver.
#include "platform/windows/hot_keys.h"

#include <gtest/gtest.h>

#include "platform/testing/temp_device_root.h"
#include "platform/windows/testing/window_test_support.h"

namespace zt::platform {
namespace {

constexpr std::uint32_t kButton1 = 193;

class HotKeys : public ::testing::Test {
protected:
    std::unique_ptr<Window> window(testing::MessageLog& log) {
        return Window::create(u"HotKeyTest", u"", log.procedure(), WindowOptions { .visible = false });
    }
    // The messages that have arrived, dispatched to the window's procedure.
    void pump(Window& window) {
        while (auto message = window.next_posted()) window.dispatch(*message);
    }

    testing::TempDeviceRoot m_device;
};

TEST_F(HotKeys, AKeyHasOneLiveOwnerAndTheShellsReleaseFreesIt) {
    testing::ChildWindow other(u"Other", u"", testing::ChildWindow::Mode::Mute);
    ASSERT_TRUE(other.ok());
    ASSERT_TRUE(register_hot_key(other.handle(), 7, MOD_WIN, kButton1));

    testing::MessageLog log;
    auto mine = window(log);
    ASSERT_TRUE(mine);
    EXPECT_FALSE(register_hot_key(mine->handle(), kButton1, MOD_WIN | MOD_KEYUP, kButton1));
    EXPECT_EQ(find_hot_key(MOD_WIN, kButton1)->window, other.handle());

    ASSERT_TRUE(release_hot_key(MOD_WIN, kButton1));
    EXPECT_FALSE(find_hot_key(MOD_WIN, kButton1));
    EXPECT_TRUE(register_hot_key(mine->handle(), kButton1, MOD_WIN | MOD_KEYUP, kButton1));

    // The same key without the shell's modifier is another key; a dead owner holds nothing.
    EXPECT_TRUE(register_hot_key(other.handle(), 1, 0, kButton1));
    other.kill_now();
    EXPECT_FALSE(find_hot_key(0, kButton1));
    EXPECT_TRUE(register_hot_key(mine->handle(), 2, 0, kButton1));

    EXPECT_TRUE(unregister_hot_key(mine->handle(), kButton1));
    EXPECT_FALSE(find_hot_key(MOD_WIN, kButton1));
    EXPECT_FALSE(unregister_hot_key(mine->handle(), kButton1));
}

TEST_F(HotKeys, AClaimHearsOnlyTheEdgeItAskedForAndKeepsBothFromTheFront) {
    testing::MessageLog log;
    auto mine = window(log);
    ASSERT_TRUE(mine);
    EXPECT_FALSE(route_hot_key(kButton1, true));  // nobody's key: it goes to the front program
    ASSERT_TRUE(register_hot_key(mine->handle(), 42, MOD_WIN | MOD_KEYUP, kButton1));
    // Registering again under the same identifier moves the claim rather than adding one.
    ASSERT_TRUE(register_hot_key(mine->handle(), 42, MOD_WIN | MOD_KEYUP, kButton1 + 1));
    EXPECT_FALSE(find_hot_key(MOD_WIN, kButton1));
    ASSERT_TRUE(register_hot_key(mine->handle(), 42, MOD_WIN | MOD_KEYUP, kButton1));

    EXPECT_TRUE(route_hot_key(kButton1, false));
    EXPECT_TRUE(route_hot_key(kButton1, true));
    EXPECT_FALSE(route_hot_key(38, true));  // the d-pad carries no shell modifier
    pump(*mine);
    ASSERT_EQ(log.seen().size(), 1u);
    EXPECT_EQ(log.seen()[0].number, WM_HOTKEY);
    EXPECT_EQ(log.seen()[0].wparam, 42u);
    EXPECT_EQ(log.seen()[0].lparam, (kButton1 << 16) | MOD_WIN | MOD_KEYUP);
}

}  // namespace
}  // namespace zt::platform
