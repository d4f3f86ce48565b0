#pragma once
// Processes a test starts: programs built beside the tests, and forked copies of the test
// itself. Every wait for an exit is bounded; a child still running when its owner goes is
// killed, so no test leaves processes behind.
#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/testing/eventually.h"

namespace zt::platform::testing {

// $ZT_BIN_DIR/<name> (set by the test registration), else ./<name>.
std::filesystem::path built_program(std::string_view name);

struct SpawnOptions {
    // Descriptors given to the child as its stdin, stdout and stderr; -1 keeps the test's own.
    int stdin_fd { -1 };
    int stdout_fd { -1 };
    int stderr_fd { -1 };
    // Descriptors the child must not keep (the test's ends of pipes it was handed).
    std::vector<int> close_in_child;
    // Find a bare program name through PATH (Xvfb) instead of taking it as a path.
    bool search_path { false };
    // The child's whole environment ("NAME=value"), instead of a copy of the test's.
    std::optional<std::vector<std::string>> environment;
};

class ChildProcess {
public:
    // nullopt (and the test failed) when the program could not be started.
    static std::optional<ChildProcess> spawn(const std::filesystem::path& program,
                                             const std::vector<std::string>& arguments,
                                             const SpawnOptions& options = {});
    // Runs body in a forked child whose exit code is body's result; the child never returns
    // into the test framework. Fork only while the test has no other threads.
    static std::optional<ChildProcess> fork(const std::function<int()>& body);

    pid_t pid() const { return m_pid; }
    // False once it has been waited for.
    bool running() const { return m_pid > 0; }

    // Its exit code (128 + signal number when a signal ended it). When it is still running
    // after `limit` the test fails naming the program, the child is killed and -1 returned.
    int wait_exit(std::chrono::milliseconds limit = kPatience);
    // Its exit code when it has ended, without waiting.
    std::optional<int> exit_code_if_ended();
    // SIGTERM, then wait_exit(limit).
    int terminate(std::chrono::milliseconds limit = kPatience);
    // SIGKILL, as a crash or power loss would end it, and reaped.
    void kill_now();

    ChildProcess(ChildProcess&& other) noexcept;
    ChildProcess& operator=(ChildProcess&& other) noexcept;
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;
    ~ChildProcess();

private:
    ChildProcess(pid_t pid, std::string name) : m_pid(pid), m_name(std::move(name)) {}
    pid_t m_pid { -1 };
    std::string m_name;
};

// The same for tests that keep the bare process id (a child shares memory or objects by pid).
pid_t fork_child(const std::function<int()>& body);
// Bounded like ChildProcess::wait_exit.
int wait_child(pid_t pid, std::chrono::milliseconds limit = kPatience);

}  // namespace zt::platform::testing
