#pragma once
// The running device's control channel: a Unix socket in the device's private runtime folder
// through which programs of the same user ask it to do what only it can (load or unload a
// service) and learn its state. One request, one answer, each a single datagram of UTF-8 text:
//
//   request  "STATUS" | "ACTIVATE\t<service key>" | "FIND\t<device name>" | "DEREGISTER\t<handle>"
//   answer   "OK[\t<value>]" with further lines for STATUS, or "ERR\t<reason>"
//
// Requests of another user are refused: the server checks the peer's credentials.
#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace zt::platform::services {

inline constexpr std::size_t kMaxControlMessage = 64 * 1024;

std::filesystem::path control_socket_path();

// Sends a request to the device of the current root and waits for its answer, at most
// `limit`. nullopt when no device answers (not running, gone, too slow).
std::optional<std::string> ask_device(std::string_view request,
                                      std::chrono::milliseconds limit = std::chrono::seconds(10));

}  // namespace zt::platform::services
