// Finding windows across the device's processes, and windows of dead processes vanishing.
#include "platform/windows/window_lookup.h"

#include <gtest/gtest.h>
#include <unistd.h>


#include <algorithm>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <thread>
#include <vector>

#include "platform/kernel/module_path.h"
#include "platform/testing/child_process.h"
#include "platform/testing/temp_device_root.h"
#include "platform/windows/message_sender.h"
#include "platform/windows/testing/window_test_support.h"
#include "platform/windows/window.h"
#include "platform/windows/window_directory.h"

namespace zt::platform {
namespace {
using testing::ChildWindow;
using testing::TempDeviceRoot;

std::unique_ptr<Window> make_window(std::u16string_view class_name, std::u16string_view title = u"",
                                    WindowOptions options = {}) {
    auto window = Window::create(class_name, title, nullptr, options);
    EXPECT_TRUE(window) << "cannot create a window";
    return window;
}

std::vector<WindowHandle> handles_of(const std::vector<WindowInfo>& windows) {
    std::vector<WindowHandle> handles;
    for (const auto& w : windows) handles.push_back(w.handle);
    return handles;
}

class WindowLookupTest : public ::testing::Test {
protected:
    TempDeviceRoot m_device;
};

TEST_F(WindowLookupTest, FindsByClassAndTitleWithoutRegardToCase) {
    auto main = make_window(u"ZUNTIME{2604481D-3AF8-4FB8-919B-DADFC8A43285}", u"Zun Time");
    auto other = make_window(u"Other", u"Zun Time");
    ASSERT_TRUE(main && other);

    auto found = find_window(u"zuntime{2604481d-3af8-4fb8-919b-dadfc8a43285}");
    ASSERT_TRUE(found);
    EXPECT_EQ(found->handle, main->handle());
    EXPECT_EQ(found->class_name, u"ZUNTIME{2604481D-3AF8-4FB8-919B-DADFC8A43285}") << "case is preserved";
    EXPECT_EQ(find_window(u"Other", u"ZUN TIME")->handle, other->handle());
    EXPECT_FALSE(find_window(u"Other", u"Zun Timer"));
    EXPECT_FALSE(find_window(u"ZUNTIME")) << "a class is matched whole, not as a prefix";
    EXPECT_EQ(find_window(std::nullopt, u"zun time")->handle, other->handle()) << "the front-most of the two";
}

TEST_F(WindowLookupTest, ClassPrefixComparesOnlyThePrefixWithoutCase) {
    auto a = make_window(u"Afx:400000:b");
    auto b = make_window(u"AFX:10000:8:10011");
    auto c = make_window(u"Afy:400000");
    auto d = make_window(u"Af");
    ASSERT_TRUE(a && b && c && d);
    auto found = handles_of(find_windows_by_class_prefix(u"Afx:"));
    std::sort(found.begin(), found.end());
    std::vector<WindowHandle> expected { a->handle(), b->handle() };
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(found, expected);
}

TEST_F(WindowLookupTest, WindowOfAnotherProcessShowsItsOwnerAndModulePath) {
    auto mine = make_window(u"Mine");
    ChildWindow child(u"Theirs", u"Child title");
    ASSERT_TRUE(mine && child.ok());

    auto theirs = windows_of_process(child.pid());
    ASSERT_EQ(theirs.size(), 1u);
    EXPECT_EQ(theirs[0].handle, child.handle());
    EXPECT_EQ(theirs[0].class_name, u"Theirs");
    EXPECT_EQ(theirs[0].title, u"Child title");
    EXPECT_EQ(theirs[0].process_id, child.pid());
    // A forked child runs the same executable as we do.
    EXPECT_EQ(theirs[0].module_path, own_module_path());
    EXPECT_EQ(handles_of(windows_of_process(getpid())), std::vector<WindowHandle> { mine->handle() });
}

TEST_F(WindowLookupTest, WindowOfDeadProcessVanishesFromEveryLookupAtOnce) {
    ChildWindow child(u"Doomed", u"Doomed title", ChildWindow::Mode::Mute, { true, { 0, 0, 100, 100 } });
    ASSERT_TRUE(child.ok());
    WindowHandle handle = child.handle();
    ASSERT_TRUE(is_window(handle));
    ASSERT_EQ(foreground_window()->handle, handle);

    child.kill_now();  // no clean-up code of the child runs

    EXPECT_FALSE(is_window(handle));
    EXPECT_FALSE(window_info(handle));
    EXPECT_FALSE(find_window(u"Doomed"));
    EXPECT_TRUE(find_windows_by_class_prefix(u"Doo").empty());
    EXPECT_FALSE(foreground_window());
    EXPECT_FALSE(window_from_point({ 50, 50 }));
    EXPECT_TRUE(list_windows().empty());
    EXPECT_EQ(post_message(handle, WM_USER), DeliveryStatus::NoSuchWindow);
    // Its files were cleared away on the way.
    for (const auto& entry : std::filesystem::directory_iterator(m_device.runtime_dir() / "win"))
        EXPECT_EQ(entry.path().filename(), "zorder") << "left behind: " << entry.path();
}

TEST_F(WindowLookupTest, ForegroundAndPointFollowFrontToBackOrderAndVisibility) {
    auto back = make_window(u"Back", u"", { true, { 0, 0, 480, 640 } });
    auto front = make_window(u"Front", u"", { true, { 100, 100, 200, 200 } });
    auto hidden = make_window(u"Hidden", u"", { false, { 0, 0, 480, 640 } });
    ASSERT_TRUE(back && front && hidden);

    EXPECT_EQ(foreground_window()->handle, front->handle()) << "hidden windows are never in front";
    EXPECT_EQ(window_from_point({ 150, 150 })->handle, front->handle());
    EXPECT_EQ(window_from_point({ 200, 200 })->handle, back->handle()) << "right and bottom lie outside";
    EXPECT_FALSE(window_from_point({ 480, 10 }));
    EXPECT_EQ(list_windows().front().handle, hidden->handle()) << "the list holds hidden windows too";

    ASSERT_TRUE(back->bring_to_front());
    EXPECT_EQ(foreground_window()->handle, back->handle());
    EXPECT_EQ(window_from_point({ 150, 150 })->handle, back->handle());

    ASSERT_TRUE(back->set_visible(false));
    ASSERT_TRUE(front->set_rect({ 300, 300, 310, 310 }));
    EXPECT_EQ(foreground_window()->handle, front->handle());
    EXPECT_FALSE(window_from_point({ 150, 150 }));
    EXPECT_EQ(window_from_point({ 305, 305 })->handle, front->handle());
}

TEST_F(WindowLookupTest, ChangesAndDestructionArePublishedAtOnce) {
    auto window = make_window(u"Changing", u"Before");
    ASSERT_TRUE(window);
    EXPECT_NE(window->handle(), 0u);
    ASSERT_TRUE(window->set_title(u"After"));
    EXPECT_EQ(window_info(window->handle())->title, u"After");
    EXPECT_FALSE(window->set_title(std::u16string(kMaxTitleUnits + 1, u'x')));
    EXPECT_EQ(window_info(window->handle())->title, u"After") << "a refused change leaves the record";

    WindowHandle handle = window->handle();
    window->destroy();
    EXPECT_FALSE(is_window(handle));
    EXPECT_FALSE(window->set_title(u"Too late"));
    EXPECT_FALSE(Window::create(std::u16string(kMaxClassNameUnits + 1, u'C'), u"", nullptr));
}

TEST_F(WindowLookupTest, WindowsOfAnotherDeviceAreInvisible) {
    auto window = make_window(u"Here");
    ASSERT_TRUE(window);
    TempDeviceRoot elsewhere;  // switches this process to a second device root
    EXPECT_FALSE(find_window(u"Here"));
    EXPECT_TRUE(list_windows().empty());
    m_device.activate();
    EXPECT_TRUE(find_window(u"Here"));
}

// A window is claimed under a file that is locked only after it is made; a lookup running in
// that moment must not take the claim for a dead process's leftover.
TEST_F(WindowLookupTest, LookupsNeverSpoilAWindowBeingMade) {
    std::atomic<bool> done { false };
    std::thread looker([&] {
        while (!done) list_windows();
    });
    int failed = 0;
    for (int i = 0; i < 400; ++i) {
        if (!Window::create(u"Busy", u"", nullptr)) ++failed;
    }
    done = true;
    looker.join();
    EXPECT_EQ(failed, 0);
}

TEST_F(WindowLookupTest, OnlyClaimsOfDeadProcessesAreCleared) {
    const pid_t dead = testing::fork_child([] { return 0; });
    ASSERT_GT(dead, 0);
    ASSERT_EQ(testing::wait_child(dead), 0);
    const std::filesystem::path folder = detail::window_folder();
    const auto claim_of = [&](pid_t pid) { return folder / (".claim-" + std::to_string(pid) + "-0"); };
    std::ofstream(claim_of(dead)).put('x');
    std::ofstream(claim_of(getpid())).put('x');
    list_windows();
    EXPECT_FALSE(std::filesystem::exists(claim_of(dead)));
    EXPECT_TRUE(std::filesystem::exists(claim_of(getpid()))) << "its maker lives: it is being made";
    std::filesystem::remove(claim_of(getpid()));
}

}  // namespace
}  // namespace zt::platform
