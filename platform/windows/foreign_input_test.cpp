// Whatever arrives on a window's socket or lies in the window folder, the window and the
// lookups carry on: bad frames are dropped, strangers are refused, damaged records skipped.
#include <fcntl.h>
#include <grp.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "platform/base/le_bytes.h"
#include "platform/testing/child_process.h"
#include "platform/testing/temp_device_root.h"
#include "platform/windows/message_frame.h"
#include "platform/windows/message_loop.h"
#include "platform/windows/message_sender.h"
#include "platform/windows/testing/window_test_support.h"
#include "platform/windows/unique_fd.h"
#include "platform/windows/window_directory.h"
#include "platform/windows/window_lookup.h"

namespace zt::platform {
namespace {
namespace fs = std::filesystem;
using namespace std::chrono_literals;
using detail::encode_frame;
using detail::FrameKind;
using detail::UniqueFd;

constexpr std::uint32_t kMarker = WM_USER + 0x77;

// A connection that speaks to the window directly, bypassing the sender's checks.
UniqueFd raw_connection(WindowHandle window) {
    fs::path path = detail::window_socket_path(detail::window_folder(), window);
    UniqueFd fd(socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
    sockaddr_un address {};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
    if (connect(fd.get(), reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) ADD_FAILURE() << "no connection";
    return fd;
}

void put(const UniqueFd& fd, const std::vector<std::uint8_t>& bytes) {
    ASSERT_EQ(send(fd.get(), bytes.data(), bytes.size(), MSG_NOSIGNAL), static_cast<ssize_t>(bytes.size()));
}

// True when the window closed its end: reading gives the end (after any answers it wrote).
bool closed_by_window(const UniqueFd& fd) {
    pollfd p { fd.get(), POLLIN, 0 };
    if (poll(&p, 1, 5000) != 1) return false;
    std::uint8_t byte;
    ssize_t n = recv(fd.get(), &byte, 1, MSG_DONTWAIT);
    return n == 0 || (n < 0 && errno == ECONNRESET);
}

class ForeignInputTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_window = Window::create(u"Sturdy", u"", m_log.procedure({ WM_USER }, 5));
        ASSERT_TRUE(m_window);
    }

    // Posts a marker through the proper path and serves the window until it comes by, so that
    // everything written before has been taken in.
    void serve_until_marker() {
        ASSERT_EQ(post_message(m_window->handle(), kMarker), DeliveryStatus::Delivered);
        Message message;
        while (get_message(*m_window, message, 10s) == GetResult::Message) {
            m_window->dispatch(message);
            if (message.number == kMarker) return;
        }
        FAIL() << "the marker never arrived";
    }

    testing::TempDeviceRoot m_device;
    testing::MessageLog m_log;
    std::unique_ptr<Window> m_window;
};

TEST_F(ForeignInputTest, FrameCutShortIsDroppedWithItsConnection) {
    auto frame = encode_frame(FrameKind::Send, WM_COPYDATA, 0, 1130, std::vector<std::uint8_t>(300, 7));
    {
        auto fd = raw_connection(m_window->handle());
        put(fd, { frame.begin(), frame.begin() + 30 });
    }  // closed mid-frame
    serve_until_marker();
    EXPECT_EQ(m_log.numbers(), std::vector<std::uint32_t> { kMarker });
}

TEST_F(ForeignInputTest, GarbageEndsTheConnectionButNotTheWindow) {
    auto fd = raw_connection(m_window->handle());
    std::vector<std::uint8_t> garbage(64);
    for (std::size_t i = 0; i < garbage.size(); ++i) garbage[i] = static_cast<std::uint8_t>(i * 37 + 11);
    put(fd, garbage);
    serve_until_marker();
    EXPECT_TRUE(closed_by_window(fd));
    EXPECT_EQ(m_log.numbers(), std::vector<std::uint32_t> { kMarker });
}

TEST_F(ForeignInputTest, OversizedLengthIsRefusedWithoutWaitingForTheBody) {
    auto fd = raw_connection(m_window->handle());
    auto frame = encode_frame(FrameKind::Send, WM_COPYDATA, 0, 0);
    write_le32(&frame[20], 0x7FFFFFFF);
    put(fd, frame);
    serve_until_marker();
    EXPECT_TRUE(closed_by_window(fd));
    EXPECT_EQ(m_log.numbers(), std::vector<std::uint32_t> { kMarker });
}

TEST_F(ForeignInputTest, WellFormedNonsenseIsIgnored) {
    auto fd = raw_connection(m_window->handle());
    std::vector<std::uint8_t> bytes { 1, 2, 3, 4 };
    put(fd, encode_frame(FrameKind::Post, WM_COPYDATA, 0, 1130, bytes));  // WM_COPYDATA cannot be posted
    put(fd, encode_frame(FrameKind::Post, WM_USER, 0, 0, bytes));         // only WM_COPYDATA has bytes
    put(fd, encode_frame(FrameKind::Reply, WM_USER, 1, 0));               // nobody asked
    put(fd, encode_frame(FrameKind::Send, WM_USER, 0, 0, bytes));         // answered 0, unhandled
    serve_until_marker();

    std::uint8_t reply[detail::kFrameHeaderBytes];
    ASSERT_EQ(recv(fd.get(), reply, sizeof reply, MSG_WAITALL), static_cast<ssize_t>(sizeof reply));
    EXPECT_EQ(read_le32(reply + 4), static_cast<std::uint32_t>(FrameKind::Reply));
    EXPECT_EQ(read_le32(reply + 12), 0u) << "not the procedure's answer (5)";
    EXPECT_EQ(m_log.numbers(), std::vector<std::uint32_t> { kMarker });

    put(fd, encode_frame(FrameKind::Post, WM_USER + 1, 0, 0));
    Message message;
    ASSERT_EQ(get_message(*m_window, message, 10s), GetResult::Message);
    EXPECT_EQ(message.number, WM_USER + 1u) << "the connection survived the nonsense";
}

TEST_F(ForeignInputTest, SentMessagesAreHandledBeforePostedOnesAreReturned) {
    auto fd = raw_connection(m_window->handle());
    put(fd, encode_frame(FrameKind::Post, WM_USER + 1, 0, 0));
    put(fd, encode_frame(FrameKind::Send, WM_USER, 0, 0));
    Message message;
    ASSERT_EQ(get_message(*m_window, message, 10s), GetResult::Message);
    EXPECT_EQ(message.number, WM_USER + 1u);
    EXPECT_EQ(m_log.numbers(), std::vector<std::uint32_t> { WM_USER }) << "the sent one ran first";
    std::uint8_t reply[detail::kFrameHeaderBytes];
    ASSERT_EQ(recv(fd.get(), reply, sizeof reply, MSG_WAITALL), static_cast<ssize_t>(sizeof reply));
    EXPECT_EQ(read_le32(reply + 12), 5u);
}

TEST_F(ForeignInputTest, DamagedRecordsAndStrayFilesLeaveLookupsWorking) {
    auto healthy = Window::create(u"Healthy", u"", nullptr);
    ASSERT_TRUE(healthy);
    fs::path folder = detail::window_folder();
    char name[32];
    std::snprintf(name, sizeof name, "%08x.rec", m_window->handle());
    std::ofstream(folder / name, std::ios::binary | std::ios::trunc) << "not a record at all";
    std::ofstream(folder / "zzzzzzzz.lock") << "stray";
    std::ofstream(folder / "00000000.lock") << "handle zero";
    fs::create_directory(folder / "0badf00d.lock");

    auto windows = list_windows();
    ASSERT_EQ(windows.size(), 1u);
    EXPECT_EQ(windows[0].handle, healthy->handle());
    EXPECT_FALSE(find_window(u"Sturdy"));
    // The damaged window itself still takes messages; its next change repairs the record.
    EXPECT_EQ(post_message(m_window->handle(), WM_USER), DeliveryStatus::Delivered);
    ASSERT_TRUE(m_window->set_title(u"Repaired"));
    EXPECT_TRUE(find_window(u"Sturdy", u"Repaired"));
}

// The remaining cases need a second user: a test running as root becomes "nobody" in a child.
class OtherUserTest : public ForeignInputTest {
protected:
    void SetUp() override {
        if (geteuid() != 0) GTEST_SKIP() << "needs root to act as another user";
        ForeignInputTest::SetUp();
    }

    static bool become_nobody() {
        return setgroups(0, nullptr) == 0 && setgid(65534) == 0 && setuid(65534) == 0;
    }

    // Serves the window while the child runs; returns the child's exit code.
    int serve_while_running(pid_t child) {
        Message message;
        int status = 0;
        for (int turns = 0; turns < 1000; ++turns) {
            if (waitpid(child, &status, WNOHANG) == child) return WIFEXITED(status) ? WEXITSTATUS(status) : 128;
            if (get_message(*m_window, message, 10ms) == GetResult::Message) m_window->dispatch(message);
        }
        return -1;
    }
};

TEST_F(OtherUserTest, PrivateFolderKeepsOtherUsersOut) {
    fs::path socket_path = detail::window_socket_path(detail::window_folder(), m_window->handle());
    pid_t child = testing::fork_child([&] {
        if (!become_nobody()) return 10;
        UniqueFd fd(socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
        sockaddr_un address {};
        address.sun_family = AF_UNIX;
        std::strncpy(address.sun_path, socket_path.c_str(), sizeof address.sun_path - 1);
        if (connect(fd.get(), reinterpret_cast<sockaddr*>(&address), sizeof address) == 0) return 11;
        return errno == EACCES ? 0 : 12;
    });
    EXPECT_EQ(serve_while_running(child), 0) << "10: cannot become nobody, 11: connected, 12: other error";
    EXPECT_TRUE(m_log.seen().empty());
}

// Even where the folders let another user through, the window refuses what they send.
TEST_F(OtherUserTest, ConnectionsOfAnotherUserAreClosedUnread) {
    fs::path folder = detail::window_folder();
    fs::path socket_path = detail::window_socket_path(folder, m_window->handle());
    ASSERT_EQ(chmod(m_device.runtime_dir().c_str(), 0711), 0);
    ASSERT_EQ(chmod(folder.c_str(), 0711), 0);
    ASSERT_EQ(chmod(socket_path.c_str(), 0777), 0);
    auto post = encode_frame(FrameKind::Post, WM_USER, 1, 2);
    auto sent = encode_frame(FrameKind::Send, WM_USER, 1, 2);
    pid_t child = testing::fork_child([&] {
        if (!become_nobody()) return 10;
        UniqueFd fd(socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
        sockaddr_un address {};
        address.sun_family = AF_UNIX;
        std::strncpy(address.sun_path, socket_path.c_str(), sizeof address.sun_path - 1);
        if (connect(fd.get(), reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) return 11;
        send(fd.get(), post.data(), post.size(), MSG_NOSIGNAL);
        send(fd.get(), sent.data(), sent.size(), MSG_NOSIGNAL);
        std::uint8_t reply[detail::kFrameHeaderBytes];
        ssize_t n = recv(fd.get(), reply, sizeof reply, MSG_WAITALL);
        return n <= 0 ? 0 : 13;  // the end, never an answer
    });
    int code = serve_while_running(child);
    chmod(folder.c_str(), 0700);
    chmod(m_device.runtime_dir().c_str(), 0700);
    EXPECT_EQ(code, 0) << "10: cannot become nobody, 11: could not connect, 13: got an answer";
    EXPECT_TRUE(m_log.seen().empty()) << "nothing of theirs reached the procedure";
    serve_until_marker();
    EXPECT_EQ(m_log.numbers(), std::vector<std::uint32_t> { kMarker });
}

}  // namespace
}  // namespace zt::platform
