#include "platform/hosts/zt_device/control_server.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <utility>

#include "platform/base/text.h"
#include "platform/services/control_channel.h"
#include "platform/services/control_text.h"

namespace zt::platform::device {
namespace {

using services::ServiceHost;
using services::ServiceStatus;

std::string error(ServiceStatus status, uint32_t handle = 0) {
    std::string text = std::string("ERR\t") + services::service_status_name(status);
    if (handle) text += "\t" + std::to_string(handle);
    return text;
}

std::string status_answer(const ServiceHost& host) {
    std::string text = "OK\t" + std::to_string(getpid()) + "\n";
    for (const auto& service : host.loaded()) {
        text += std::to_string(service.handle) + "\t" + utf16_to_utf8(service.name) + "\t" +
                utf16_to_utf8(service.device_name) + "\n";
    }
    return text;
}

std::string activate_answer(std::u16string_view name, ServiceHost& host) {
    auto result = host.activate(name);
    switch (result.outcome) {
    case ServiceHost::Outcome::Loaded: return "OK\t" + std::to_string(result.handle);
    case ServiceHost::Outcome::AlreadyActive: return error(ServiceStatus::AlreadyActive, result.handle);
    case ServiceHost::Outcome::NotRegistered: return error(ServiceStatus::NotFound);
    case ServiceHost::Outcome::Failed: break;
    }
    return error(ServiceStatus::Failed);
}

bool same_user(int fd) {
    ucred peer {};
    socklen_t size = sizeof peer;
    return getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &peer, &size) == 0 && peer.uid == getuid();
}

}  // namespace

std::string answer_request(std::string_view request, ServiceHost& host) {
    auto fields = services::split_fields(request);
    if (fields.size() == 1 && fields[0] == "STATUS") return status_answer(host);
    if (fields.size() != 2) return error(ServiceStatus::Failed);
    std::u16string argument = utf8_to_utf16(fields[1]);
    if (fields[0] == "ACTIVATE") return activate_answer(argument, host);
    if (fields[0] == "FIND") {
        auto handle = host.find(argument);
        return handle ? "OK\t" + std::to_string(*handle) : error(ServiceStatus::NotFound);
    }
    if (fields[0] == "DEREGISTER") {
        auto handle = services::parse_number(fields[1]);
        return handle && host.deregister(*handle) ? std::string("OK") : error(ServiceStatus::NotFound);
    }
    return error(ServiceStatus::Failed);
}

std::optional<ControlServer> ControlServer::create() {
    auto path = services::control_socket_path();
    sockaddr_un address {};
    address.sun_family = AF_UNIX;
    if (path.empty() || path.native().size() >= sizeof address.sun_path) return std::nullopt;
    std::memcpy(address.sun_path, path.c_str(), path.native().size());
    int fd = socket(AF_UNIX, SOCK_SEQPACKET | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0) return std::nullopt;
    unlink(path.c_str());
    if (bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || listen(fd, 16) != 0) {
        ::close(fd);
        return std::nullopt;
    }
    return ControlServer(fd, path.native());
}

void ControlServer::serve_one(ServiceHost& host) {
    int client = accept4(m_fd, nullptr, nullptr, SOCK_CLOEXEC);
    if (client < 0) return;
    if (!same_user(client)) {
        ::close(client);
        return;
    }
    timeval timeout { 1, 0 };
    setsockopt(client, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
    setsockopt(client, SOL_SOCKET, SO_SNDTIMEO, &timeout, sizeof timeout);
    std::string buffer(services::kMaxControlMessage, '\0');
    ssize_t got = recv(client, buffer.data(), buffer.size(), 0);
    if (got > 0) {
        std::string answer = answer_request(std::string_view(buffer.data(), static_cast<size_t>(got)), host);
        send(client, answer.data(), answer.size(), MSG_NOSIGNAL);
    }
    ::close(client);
}

ControlServer::ControlServer(ControlServer&& other) noexcept
    : m_fd(std::exchange(other.m_fd, -1)), m_path(std::move(other.m_path)) {}

ControlServer::~ControlServer() {
    if (m_fd < 0) return;
    ::close(m_fd);
    unlink(m_path.c_str());
}

}  // namespace zt::platform::device
