#pragma once
// The running device's end of the control channel (control_channel.h).
#include <optional>
#include <string>
#include <string_view>

#include "platform/hosts/zt_device/service_host.h"

namespace zt::platform::device {

class ControlServer {
public:
    // Binds the socket in the runtime folder, replacing a stale one left by a killed device
    // (only the holder of the device lock calls this).
    static std::optional<ControlServer> create();
    int fd() const { return m_fd; }

    // Accepts one waiting client, answers its request and closes it. Never blocks for long:
    // a client that does not send within a second is dropped.
    void serve_one(services::ServiceHost& host);

    ControlServer(ControlServer&& other) noexcept;
    ControlServer& operator=(ControlServer&&) = delete;
    ControlServer(const ControlServer&) = delete;
    ControlServer& operator=(const ControlServer&) = delete;
    ~ControlServer();

private:
    explicit ControlServer(int fd, std::string path) : m_fd(fd), m_path(std::move(path)) {}
    int m_fd { -1 };
    std::string m_path;
};

// The answer to one request (exposed for tests of the protocol).
std::string answer_request(std::string_view request, services::ServiceHost& host);

}  // namespace zt::platform::device
