#include "platform/kernel/testing/test_device.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string>
#include <thread>

#include "platform/base/device_root.h"

namespace zt::platform::testing {
namespace fs = std::filesystem;

TestDevice::TestDevice() {
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/zt-kernel-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) {
        ADD_FAILURE() << "cannot make a temporary device root";
        return;
    }
    m_root = pattern;
    activate();
    m_root = device_root();
    m_runtime = device_runtime_dir();
    EXPECT_FALSE(m_runtime.empty()) << "no runtime folder for " << m_root;
}

TestDevice::~TestDevice() {
    std::error_code ec;
    if (!m_runtime.empty()) fs::remove_all(m_runtime, ec);
    if (!m_root.empty()) fs::remove_all(m_root, ec);
}

void TestDevice::activate() const { EXPECT_TRUE(set_device_root(m_root)); }

pid_t fork_child(const std::function<int()>& body) {
    pid_t pid = fork();
    if (pid == 0) _exit(body());
    EXPECT_GT(pid, 0) << "fork failed";
    return pid;
}

int wait_child(pid_t pid) {
    int status = 0;
    while (waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR) return -1;
    }
    if (WIFEXITED(status)) return WEXITSTATUS(status);
    if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
    return -1;
}

Baton::Baton() {
    int fds[2];
    if (pipe(fds) == 0) {
        m_read = fds[0];
        m_write = fds[1];
    }
}

Baton::~Baton() {
    close_unused_reader();
    close_unused_writer();
}

void Baton::pass() {
    char byte = 1;
    if (m_write >= 0) {
        EXPECT_EQ(write(m_write, &byte, 1), 1);
    }
}

bool Baton::await() {
    char byte = 0;
    for (;;) {
        ssize_t n = read(m_read, &byte, 1);
        if (n < 0 && errno == EINTR) continue;
        return n == 1;
    }
}

void Baton::close_unused_reader() {
    if (m_read >= 0) close(m_read);
    m_read = -1;
}

void Baton::close_unused_writer() {
    if (m_write >= 0) close(m_write);
    m_write = -1;
}

bool eventually(const std::function<bool()>& condition, std::chrono::milliseconds limit) {
    auto until = std::chrono::steady_clock::now() + limit;
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= until) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

fs::path built_program(const char* name) {
    const char* dir = std::getenv("ZT_BIN_DIR");
    return fs::path(dir && *dir ? dir : ".") / name;
}

}  // namespace zt::platform::testing
