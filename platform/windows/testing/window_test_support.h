#pragma once
// Shared pieces of the window tests: a window owned by another process, and a procedure that
// records what it is given.
#include <sys/types.h>

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "platform/windows/message.h"
#include "platform/windows/window.h"

namespace zt::platform::testing {

// What the serving child window answers, so the sending side can check the answer came from
// its procedure: number + wparam + lparam for plain messages; data word + size + byte sum for
// WM_COPYDATA.
std::uint32_t expected_answer(std::uint32_t number, std::uint32_t wparam, std::uint32_t lparam);
std::uint32_t expected_copy_data_answer(std::uint32_t data_word, std::span<const std::uint8_t> bytes);

// A window created by a forked child process. Fork only while the test has no other threads.
class ChildWindow {
public:
    enum class Mode {
        Serve,  // runs the plain message loop, answering as above, until WM_QUIT or destroyed
        Mute,   // never reads its messages
    };
    ChildWindow(std::u16string class_name, std::u16string title, Mode mode = Mode::Serve,
                WindowOptions options = {});
    ChildWindow(const ChildWindow&) = delete;
    ChildWindow& operator=(const ChildWindow&) = delete;
    ~ChildWindow();  // kills the child when it still runs

    bool ok() const { return m_handle != 0; }
    WindowHandle handle() const { return m_handle; }
    pid_t pid() const { return m_pid; }
    // SIGKILL, then reaps it: its windows must be gone from now on.
    void kill_now();
    // Its exit code (the WM_QUIT code in Serve mode), 128 + signal when killed.
    int wait_exit();

private:
    pid_t m_pid { -1 };
    WindowHandle m_handle { 0 };
};

// A copy of a message as a procedure saw it, payload included.
struct SeenMessage {
    std::uint32_t number { 0 };
    std::uint32_t wparam { 0 };
    std::uint32_t lparam { 0 };
    std::uint32_t data_word { 0 };
    std::vector<std::uint8_t> bytes;
};

// Records every message; answers `answer` for those it is told to handle, and leaves the rest to
// the default handling.
class MessageLog {
public:
    Window::Procedure procedure(std::vector<std::uint32_t> handled = {}, std::uint32_t answer = 0);
    const std::vector<SeenMessage>& seen() const { return m_seen; }
    std::vector<std::uint32_t> numbers() const;

private:
    std::vector<SeenMessage> m_seen;
};

}  // namespace zt::platform::testing
