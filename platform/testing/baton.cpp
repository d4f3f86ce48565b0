#include "platform/testing/baton.h"

#include <poll.h>
#include <unistd.h>

#include <cerrno>

namespace zt::platform::testing {

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

bool Baton::await(std::chrono::milliseconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    for (;;) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) return false;
        pollfd ready { m_read, POLLIN, 0 };
        const int polled = poll(&ready, 1, static_cast<int>(left.count()));
        if (polled < 0 && errno == EINTR) continue;
        if (polled <= 0) return false;
        char byte = 0;
        const ssize_t n = read(m_read, &byte, 1);
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

}  // namespace zt::platform::testing
