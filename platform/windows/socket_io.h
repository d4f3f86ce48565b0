#pragma once
// The Unix-socket plumbing under window messages. All sockets are close-on-exec and
// non-blocking; waits are bounded by a deadline on the monotonic clock.
#include <cstdint>
#include <filesystem>
#include <span>

#include "platform/kernel/deadline.h"
#include "platform/windows/unique_fd.h"

namespace zt::platform::detail {

// A listening stream socket bound at path (an old file there is replaced). Invalid on failure,
// including a path too long for a socket address.
UniqueFd listen_at(const std::filesystem::path& path);

enum class ConnectStatus { Connected, NoListener, OtherUser, TimedOut, Failed };
struct Connection {
    ConnectStatus status { ConnectStatus::Failed };
    UniqueFd fd;
};
// Connects and checks that the listener runs as our user. A full backlog is retried until
// the deadline.
Connection connect_to(const std::filesystem::path& path, const Deadline& deadline);

// True when the peer of a connected socket runs as our (effective) user.
bool peer_is_same_user(int fd);

enum class IoStatus { Done, TimedOut, Closed, Failed };
IoStatus write_all(int fd, std::span<const std::uint8_t> bytes, const Deadline& deadline);
IoStatus read_exact(int fd, std::span<std::uint8_t> bytes, const Deadline& deadline);

}  // namespace zt::platform::detail
