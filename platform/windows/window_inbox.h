#pragma once
// The receiving end of a window's socket, run by the owner thread without blocking.
//
// One epoll descriptor watches the listening socket, every accepted connection and the
// mailbox's wake descriptor, so a front end waits on a single descriptor. Connections from
// another user are closed unread. Each connection is read as a stream of frames
// (message_frame.h): a malformed stream or one cut short mid-frame is dropped without
// touching what came before; well-formed frames that make no sense are ignored. Posted
// messages go to the mailbox in arrival order per connection; sent ones wait in the inbox
// until the window handles them and answers.
#include <cstdint>
#include <deque>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>

#include "platform/windows/local_mailbox.h"
#include "platform/windows/message_frame.h"
#include "platform/windows/unique_fd.h"

namespace zt::platform::detail {

class WindowInbox {
public:
    static std::unique_ptr<WindowInbox> listen(const std::filesystem::path& socket_path,
                                               std::shared_ptr<LocalMailbox> mailbox);

    int wait_descriptor() const { return m_epoll.get(); }

    // Takes in whatever has arrived, never blocking.
    void pump();

    struct Sent {
        std::uint64_t connection { 0 };
        Frame frame;
    };
    std::optional<Sent> take_sent();
    void answer(std::uint64_t connection, std::uint32_t number, std::uint32_t result);

    // Stops listening and drops every connection; senders waiting for an answer see the end.
    void close();

    WindowInbox(const WindowInbox&) = delete;
    WindowInbox& operator=(const WindowInbox&) = delete;
    ~WindowInbox() { close(); }

private:
    struct Peer {
        UniqueFd fd;
        FrameReader reader;
    };

    WindowInbox(std::shared_ptr<LocalMailbox> mailbox) : m_mailbox(std::move(mailbox)) {}
    void accept_peers();
    // False when the connection should be dropped.
    bool read_peer(std::uint64_t id, Peer& peer);
    void take_frame(std::uint64_t id, Frame&& frame);
    void drop_peer(std::uint64_t id);

    std::shared_ptr<LocalMailbox> m_mailbox;
    UniqueFd m_epoll;
    UniqueFd m_listener;
    std::map<std::uint64_t, Peer> m_peers;
    std::uint64_t m_next_peer_id { kFirstPeerId };
    std::deque<Sent> m_sent;

    static constexpr std::uint64_t kListenerId = 0;
    static constexpr std::uint64_t kWakeId = 1;
    static constexpr std::uint64_t kFirstPeerId = 2;
};

}  // namespace zt::platform::detail
