#include "platform/testing/run_program.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <array>
#include <cerrno>

#include "platform/testing/child_process.h"

namespace zt::platform::testing {
namespace {

struct Pipe {
    int read { -1 };
    int write { -1 };
    bool open() {
        int fds[2];
        if (pipe2(fds, O_CLOEXEC) != 0) return false;
        read = fds[0];
        write = fds[1];
        return true;
    }
    void close_read() {
        if (read >= 0) ::close(read);
        read = -1;
    }
    void close_write() {
        if (write >= 0) ::close(write);
        write = -1;
    }
    ~Pipe() {
        close_read();
        close_write();
    }
};

}  // namespace

ProgramResult run_program(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                          const std::string& input, std::chrono::milliseconds limit) {
    ProgramResult result;
    Pipe in, out, err;
    if (!in.open() || !out.open() || !err.open()) {
        ADD_FAILURE() << "no pipes for " << program;
        return result;
    }
    SpawnOptions options;
    options.stdin_fd = in.read;
    options.stdout_fd = out.write;
    options.stderr_fd = err.write;
    auto child = ChildProcess::spawn(program, arguments, options);
    in.close_read();
    out.close_write();
    err.close_write();
    if (!child) return result;

    // Both outputs and the input at once, so a chatty program never blocks on a full pipe.
    const auto deadline = std::chrono::steady_clock::now() + limit;
    size_t written = 0;
    if (input.empty()) in.close_write();
    fcntl(in.write, F_SETFL, O_NONBLOCK);
    while (out.read >= 0 || err.read >= 0) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            ADD_FAILURE() << program.filename() << " still wrote after " << limit.count() << " ms";
            child->kill_now();
            return result;
        }
        std::array<pollfd, 3> fds { pollfd { out.read, POLLIN, 0 }, pollfd { err.read, POLLIN, 0 },
                                    pollfd { in.write, POLLOUT, 0 } };
        if (poll(fds.data(), fds.size(), static_cast<int>(left.count())) < 0 && errno != EINTR) break;
        for (auto [index, text] : { std::pair { 0, &result.out }, std::pair { 1, &result.err } }) {
            if (fds[index].fd < 0 || fds[index].revents == 0) continue;
            char buffer[4096];
            const ssize_t got = ::read(fds[index].fd, buffer, sizeof buffer);
            if (got > 0) {
                text->append(buffer, static_cast<size_t>(got));
            } else if (got == 0 || errno != EINTR) {
                index == 0 ? out.close_read() : err.close_read();
            }
        }
        if (fds[2].fd >= 0 && fds[2].revents != 0) {
            const ssize_t put = ::write(in.write, input.data() + written, input.size() - written);
            if (put > 0) written += static_cast<size_t>(put);
            // A program that stops reading (or never reads) gets the end of its input.
            if (put < 0 && errno != EAGAIN && errno != EINTR) in.close_write();
            if (written == input.size()) in.close_write();
        }
    }
    in.close_write();
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    result.exit_code = child->wait_exit(std::max(left, std::chrono::milliseconds(1)));
    return result;
}

}  // namespace zt::platform::testing
