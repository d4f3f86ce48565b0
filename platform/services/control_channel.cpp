#include "platform/services/control_channel.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>

#include "platform/base/device_root.h"

namespace zt::platform::services {

std::filesystem::path control_socket_path() {
    auto runtime = device_runtime_dir();
    return runtime.empty() ? std::filesystem::path {} : runtime / "zt-device.sock";
}

std::optional<std::string> ask_device(std::string_view request, std::chrono::milliseconds limit) {
    auto path = control_socket_path();
    sockaddr_un address {};
    address.sun_family = AF_UNIX;
    if (path.empty() || path.native().size() >= sizeof address.sun_path) return std::nullopt;
    if (request.size() > kMaxControlMessage) return std::nullopt;
    std::memcpy(address.sun_path, path.c_str(), path.native().size());

    int fd = socket(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0);
    if (fd < 0) return std::nullopt;
    timeval timeout {};
    timeout.tv_sec = static_cast<time_t>(limit.count() / 1000);
    timeout.tv_usec = static_cast<suseconds_t>((limit.count() % 1000) * 1000);
    setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
    setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &timeout, sizeof timeout);

    std::optional<std::string> answer;
    if (connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
        send(fd, request.data(), request.size(), MSG_NOSIGNAL) == static_cast<ssize_t>(request.size())) {
        std::string buffer(kMaxControlMessage, '\0');
        ssize_t got = recv(fd, buffer.data(), buffer.size(), 0);
        if (got > 0) answer = buffer.substr(0, static_cast<size_t>(got));
    }
    close(fd);
    return answer;
}

}  // namespace zt::platform::services
