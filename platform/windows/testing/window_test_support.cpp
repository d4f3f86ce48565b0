#include "platform/windows/testing/window_test_support.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <numeric>

#include "platform/testing/child_process.h"
#include "platform/windows/message_loop.h"

namespace zt::platform::testing {

std::uint32_t expected_answer(std::uint32_t number, std::uint32_t wparam, std::uint32_t lparam) {
    return number + wparam + lparam;
}

std::uint32_t expected_copy_data_answer(std::uint32_t data_word, std::span<const std::uint8_t> bytes) {
    return std::accumulate(bytes.begin(), bytes.end(), data_word + static_cast<std::uint32_t>(bytes.size()));
}

namespace {

std::optional<std::uint32_t> answer_as_agreed(Window&, const Message& m) {
    if (m.number == WM_COPYDATA) return expected_copy_data_answer(m.copy_data.data_word, m.copy_data.bytes);
    if (m.number == WM_CLOSE || m.number == WM_DESTROY) return std::nullopt;
    return expected_answer(m.number, m.wparam, m.lparam);
}

bool read_all(int fd, void* data, std::size_t size) {
    auto* p = static_cast<std::uint8_t*>(data);
    while (size > 0) {
        ssize_t n = read(fd, p, size);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        p += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

}  // namespace

ChildWindow::ChildWindow(std::u16string class_name, std::u16string title, Mode mode, WindowOptions options) {
    int fds[2];
    if (pipe(fds) != 0) {
        ADD_FAILURE() << "no pipe";
        return;
    }
    m_pid = fork_child([&] {
        close(fds[0]);
        auto window = Window::create(class_name, title, answer_as_agreed, options);
        WindowHandle handle = window ? window->handle() : 0;
        if (write(fds[1], &handle, sizeof handle) != sizeof handle || !window) return 100;
        close(fds[1]);
        if (mode == Mode::Mute) {
            for (;;) pause();
        }
        return static_cast<int>(run_message_loop(*window));
    });
    close(fds[1]);
    if (!read_all(fds[0], &m_handle, sizeof m_handle)) m_handle = 0;
    close(fds[0]);
    EXPECT_NE(m_handle, 0u) << "the child could not make its window";
}

ChildWindow::~ChildWindow() {
    if (m_pid > 0) kill_now();
}

void ChildWindow::kill_now() {
    if (m_pid <= 0) return;
    kill(m_pid, SIGKILL);
    wait_child(m_pid);
    m_pid = -1;
}

int ChildWindow::wait_exit() {
    if (m_pid <= 0) return -1;
    int code = wait_child(m_pid);
    m_pid = -1;
    return code;
}

Window::Procedure MessageLog::procedure(std::vector<std::uint32_t> handled, std::uint32_t answer) {
    return [this, handled = std::move(handled), answer](Window&, const Message& m) -> std::optional<std::uint32_t> {
        SeenMessage seen { m.number, m.wparam, m.lparam, m.copy_data.data_word,
                           { m.copy_data.bytes.begin(), m.copy_data.bytes.end() } };
        m_seen.push_back(std::move(seen));
        if (std::find(handled.begin(), handled.end(), m.number) != handled.end()) return answer;
        return std::nullopt;
    };
}

std::vector<std::uint32_t> MessageLog::numbers() const {
    std::vector<std::uint32_t> numbers;
    for (const auto& m : m_seen) numbers.push_back(m.number);
    return numbers;
}

}  // namespace zt::platform::testing
