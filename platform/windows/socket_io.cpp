#include "platform/windows/socket_io.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <thread>

namespace zt::platform::detail {
namespace {

bool make_address(const std::filesystem::path& path, sockaddr_un& address) {
    const std::string& text = path.native();
    if (text.size() >= sizeof address.sun_path) return false;
    std::memset(&address, 0, sizeof address);
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, text.c_str(), text.size() + 1);
    return true;
}

int poll_timeout_ms(const Deadline& deadline) {
    if (deadline.unlimited()) return -1;
    auto left = deadline.remaining();
    // Round up so a wait never returns just before its deadline and spins.
    return static_cast<int>(std::chrono::ceil<std::chrono::milliseconds>(left).count());
}

// Waits until fd is ready for `events`; false at the deadline or on error.
bool wait_ready(int fd, short events, const Deadline& deadline) {
    for (;;) {
        pollfd p { fd, events, 0 };
        int n = poll(&p, 1, poll_timeout_ms(deadline));
        if (n > 0) return true;
        if (n == 0) return false;
        if (errno != EINTR) return false;
    }
}

UniqueFd new_stream_socket() {
    return UniqueFd(socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0));
}

}  // namespace

UniqueFd listen_at(const std::filesystem::path& path) {
    sockaddr_un address {};
    if (!make_address(path, address)) return {};
    UniqueFd fd = new_stream_socket();
    if (!fd.valid()) return {};
    unlink(path.c_str());
    if (bind(fd.get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) return {};
    if (listen(fd.get(), 128) != 0) {
        unlink(path.c_str());
        return {};
    }
    return fd;
}

Connection connect_to(const std::filesystem::path& path, const Deadline& deadline) {
    Connection result;
    sockaddr_un address {};
    if (!make_address(path, address)) return result;
    result.fd = new_stream_socket();
    if (!result.fd.valid()) return result;
    for (;;) {
        if (connect(result.fd.get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0) break;
        if (errno == EINTR) continue;
        if (errno == ENOENT || errno == ECONNREFUSED) {
            result.status = ConnectStatus::NoListener;
            return result;
        }
        // A Unix socket reports a full backlog as EAGAIN, without a way to wait for room.
        if (errno != EAGAIN) return result;
        if (deadline.passed()) {
            result.status = ConnectStatus::TimedOut;
            return result;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    result.status = peer_is_same_user(result.fd.get()) ? ConnectStatus::Connected : ConnectStatus::OtherUser;
    return result;
}

bool peer_is_same_user(int fd) {
    ucred credentials {};
    socklen_t size = sizeof credentials;
    if (getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &credentials, &size) != 0 || size != sizeof credentials)
        return false;
    return credentials.uid == geteuid();
}

IoStatus write_all(int fd, std::span<const std::uint8_t> bytes, const Deadline& deadline) {
    std::size_t put = 0;
    while (put < bytes.size()) {
        ssize_t n = send(fd, bytes.data() + put, bytes.size() - put, MSG_NOSIGNAL);
        if (n > 0) {
            put += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            if (!wait_ready(fd, POLLOUT, deadline)) return IoStatus::TimedOut;
            continue;
        }
        return (errno == EPIPE || errno == ECONNRESET) ? IoStatus::Closed : IoStatus::Failed;
    }
    return IoStatus::Done;
}

IoStatus read_exact(int fd, std::span<std::uint8_t> bytes, const Deadline& deadline) {
    std::size_t got = 0;
    while (got < bytes.size()) {
        ssize_t n = recv(fd, bytes.data() + got, bytes.size() - got, 0);
        if (n > 0) {
            got += static_cast<std::size_t>(n);
            continue;
        }
        if (n == 0) return IoStatus::Closed;
        if (errno == EINTR) continue;
        if (errno == EAGAIN || errno == EWOULDBLOCK) {
            if (!wait_ready(fd, POLLIN, deadline)) return IoStatus::TimedOut;
            continue;
        }
        return errno == ECONNRESET ? IoStatus::Closed : IoStatus::Failed;
    }
    return IoStatus::Done;
}

}  // namespace zt::platform::detail
