#pragma once
// Shared pieces of the kernel tests: a throw-away device root, forked helper processes and
// bounded polling for states that other threads or processes reach.
#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <functional>

namespace zt::platform::testing {

// A fresh device root (and its runtime folder) for one test, removed afterwards.
class TestDevice {
public:
    TestDevice();
    TestDevice(const TestDevice&) = delete;
    TestDevice& operator=(const TestDevice&) = delete;
    ~TestDevice();

    const std::filesystem::path& root() const { return m_root; }
    const std::filesystem::path& runtime_dir() const { return m_runtime; }
    // Makes this the device of the process again (after a test switched to another one).
    void activate() const;

private:
    std::filesystem::path m_root;
    std::filesystem::path m_runtime;
};

// Runs body in a forked child whose exit code is body's result; the child never returns
// into the test framework. Fork only while the test has no other threads.
pid_t fork_child(const std::function<int()>& body);
// The child's exit code, or 128 + signal number when a signal ended it.
int wait_child(pid_t pid);

// A one-way "go" between a parent and a forked child (a pipe), so tests hand over control
// without sleeping.
class Baton {
public:
    Baton();
    Baton(const Baton&) = delete;
    Baton& operator=(const Baton&) = delete;
    ~Baton();
    void pass();                 // may be called once
    bool await();                // true when passed, false when the other side went away
    void close_unused_reader();  // called by the side that only passes
    void close_unused_writer();  // called by the side that only awaits

private:
    int m_read { -1 };
    int m_write { -1 };
};

// Polls until condition holds, at most `limit`; true if it did.
bool eventually(const std::function<bool()>& condition,
                std::chrono::milliseconds limit = std::chrono::seconds(10));

// $ZT_BIN_DIR/<name>: programs built alongside the tests.
std::filesystem::path built_program(const char* name);

}  // namespace zt::platform::testing
