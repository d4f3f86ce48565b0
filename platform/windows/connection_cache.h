#pragma once
// This process's connections for posting, one per target window, so that the posts of one
// sender reach a window in order and cost no connect each.
#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>

#include "platform/kernel/deadline.h"
#include "platform/windows/socket_io.h"
#include "platform/windows/window_info.h"

namespace zt::platform::detail {

struct PostConnection {
    std::mutex mutex;  // held while one frame is written, so frames never interleave
    UniqueFd fd;
    std::atomic<bool> reused { false };  // it carried frames before, so a failure may just mean it went stale
};

struct CachedConnection {
    ConnectStatus status { ConnectStatus::Failed };
    std::shared_ptr<PostConnection> connection;  // set when Connected
};

CachedConnection post_connection(WindowHandle window, const Deadline& deadline);
// Forgets a connection that failed (only if it is still the one cached for the window).
void forget_post_connection(WindowHandle window, const std::shared_ptr<PostConnection>& connection);

}  // namespace zt::platform::detail
