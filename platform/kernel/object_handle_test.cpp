#include "platform/kernel/object_handle.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "platform/kernel/event.h"
#include "platform/kernel/object_file_name.h"
#include "platform/testing/child_process.h"
#include "platform/testing/temp_device_root.h"

namespace zt::platform {
namespace {

using testing::fork_child;
using testing::TempDeviceRoot;
using testing::wait_child;
using namespace std::chrono_literals;

TEST(ObjectPages, PageLeftByACrashedCreatorIsMadeAfresh) {
    TempDeviceRoot device;
    pid_t child = fork_child([] {
        auto e = Event::create_or_open(u"ZunWakeupHelperNotify", ResetPolicy::Manual, true);
        if (!e) return 1;
        raise(SIGKILL);
        return 2;
    });
    EXPECT_EQ(wait_child(child), 128 + SIGKILL);
    auto mine = Event::create_or_open(u"ZunWakeupHelperNotify", ResetPolicy::Automatic, false);
    ASSERT_TRUE(mine.has_value());
    EXPECT_FALSE(mine->already_existed);
    EXPECT_EQ(mine->event.policy(), ResetPolicy::Automatic);
    EXPECT_EQ(mine->event.wait(0ms), Event::WaitResult::TimedOut) << "not the dead one's state";
}

TEST(ObjectPages, ForeignFileThatNobodyHoldsIsReplaced) {
    TempDeviceRoot device;
    auto path = device.runtime_dir() / detail::object_file_name(u"Garbage");
    std::ofstream(path) << "not a kernel object";
    auto e = Event::create_or_open(u"Garbage", ResetPolicy::Manual, true);
    ASSERT_TRUE(e.has_value());
    EXPECT_FALSE(e->already_existed);
    EXPECT_EQ(e->event.wait(0ms), Event::WaitResult::Signalled);
}

TEST(ObjectPages, ForeignFileThatSomeoneHoldsIsRefusedNotTrusted) {
    TempDeviceRoot device;
    // One of another program's files, and one too short to map without faulting past its end.
    for (std::string content : { std::string(8192, 'x'), std::string("ZTKO") }) {
        auto path = device.runtime_dir() / detail::object_file_name(u"Held garbage");
        std::ofstream(path) << content;
        int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(flock(fd, LOCK_SH), 0);  // looks like a live object
        EXPECT_FALSE(Event::create_or_open(u"Held garbage", ResetPolicy::Manual, false));
        EXPECT_FALSE(Event::open(u"Held garbage").has_value());
        ::close(fd);
    }
}

TEST(ObjectPages, NoUsableRuntimeFolderMeansNoNamedObjects) {
    TempDeviceRoot device;
    // Another user's (or an open) folder in its place is refused by the device root code, and
    // with no session folder and no place for a new one there is no usable folder at all.
    std::filesystem::remove_all(device.runtime_dir());
    ASSERT_EQ(::mkdir(device.runtime_dir().c_str(), 0777), 0);
    ASSERT_EQ(::chmod(device.runtime_dir().c_str(), 0777), 0);
    const std::filesystem::path not_a_folder = device.path() / "not-a-folder";
    std::ofstream(not_a_folder) << "x";
    std::string session = std::getenv("XDG_RUNTIME_DIR") ? std::getenv("XDG_RUNTIME_DIR") : "";
    std::string tmp = std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "";
    unsetenv("XDG_RUNTIME_DIR");
    setenv("TMPDIR", not_a_folder.c_str(), 1);
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(Event::create_or_open(u"X", ResetPolicy::Manual, false).has_value());
    std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find("no private runtime folder"), std::string::npos) << said;
    EXPECT_TRUE(std::filesystem::is_empty(device.runtime_dir())) << "an object was made in the open folder";
    EXPECT_TRUE(Event::create_unnamed(ResetPolicy::Manual, false).has_value())
        << "unnamed events need no folder";
    if (session.empty()) unsetenv("XDG_RUNTIME_DIR");
    else setenv("XDG_RUNTIME_DIR", session.c_str(), 1);
    if (tmp.empty()) unsetenv("TMPDIR");
    else setenv("TMPDIR", tmp.c_str(), 1);
}

}  // namespace
}  // namespace zt::platform
