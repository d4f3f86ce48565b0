#include "platform/windows/window_inbox.h"

#include <sys/epoll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>

#include "platform/windows/message.h"
#include "platform/windows/socket_io.h"

namespace zt::platform::detail {
namespace {

// Enough for every program of a device several times over; more is a runaway sender.
constexpr std::size_t kMaxPeers = 256;
constexpr std::size_t kReadChunk = 16 * 1024;
// Each sender waits for its answer, so only a misbehaving peer has more than one waiting.
constexpr std::size_t kMaxWaitingSends = 64;

bool watch(int epoll, int fd, std::uint64_t id) {
    epoll_event event {};
    event.events = EPOLLIN;
    event.data.u64 = id;
    return epoll_ctl(epoll, EPOLL_CTL_ADD, fd, &event) == 0;
}

}  // namespace

std::unique_ptr<WindowInbox> WindowInbox::listen(const std::filesystem::path& socket_path,
                                                 std::shared_ptr<LocalMailbox> mailbox) {
    std::unique_ptr<WindowInbox> inbox(new WindowInbox(std::move(mailbox)));
    inbox->m_epoll.reset(epoll_create1(EPOLL_CLOEXEC));
    if (!inbox->m_epoll.valid()) return nullptr;
    inbox->m_listener = listen_at(socket_path);
    if (!inbox->m_listener.valid()) return nullptr;
    if (!watch(inbox->m_epoll.get(), inbox->m_listener.get(), kListenerId) ||
        !watch(inbox->m_epoll.get(), inbox->m_mailbox->wake_descriptor(), kWakeId))
        return nullptr;
    return inbox;
}

void WindowInbox::pump() {
    if (!m_epoll.valid()) return;
    epoll_event events[32];
    for (;;) {
        int n = epoll_wait(m_epoll.get(), events, 32, 0);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return;
        bool progress = false;
        for (int i = 0; i < n; ++i) {
            std::uint64_t id = events[i].data.u64;
            if (id == kListenerId) {
                accept_peers();
                progress = true;
            } else if (id == kWakeId) {
                m_mailbox->clear_wake();
            } else if (auto it = m_peers.find(id); it != m_peers.end()) {
                // A full queue leaves the rest in the socket: the sender then waits for room.
                if (!m_mailbox->has_room() || m_sent.size() >= kMaxWaitingSends) continue;
                progress = true;
                if (!read_peer(id, it->second)) drop_peer(id);
            }
        }
        if (!progress) return;
    }
}

void WindowInbox::accept_peers() {
    for (;;) {
        UniqueFd fd(accept4(m_listener.get(), nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK));
        if (!fd.valid()) {
            if (errno == EINTR || errno == ECONNABORTED) continue;
            return;
        }
        if (!peer_is_same_user(fd.get()) || m_peers.size() >= kMaxPeers) continue;  // closed unread
        std::uint64_t id = m_next_peer_id++;
        if (!watch(m_epoll.get(), fd.get(), id)) continue;
        m_peers.emplace(id, Peer { std::move(fd), FrameReader {} });
    }
}

bool WindowInbox::read_peer(std::uint64_t id, Peer& peer) {
    std::uint8_t buffer[kReadChunk];
    ssize_t n = 0;
    do {
        n = recv(peer.fd.get(), buffer, sizeof buffer, 0);
    } while (n < 0 && errno == EINTR);
    if (n < 0) return errno == EAGAIN || errno == EWOULDBLOCK;
    if (n == 0) return false;  // the end; a frame cut short is dropped with the connection
    peer.reader.append({ buffer, static_cast<std::size_t>(n) });
    for (;;) {
        Frame frame;
        switch (peer.reader.next(frame)) {
        case FrameReader::Status::Frame: take_frame(id, std::move(frame)); break;
        case FrameReader::Status::NeedMore: return true;
        case FrameReader::Status::Malformed: return false;
        }
    }
}

void WindowInbox::take_frame(std::uint64_t id, Frame&& frame) {
    bool copy_data = frame.number == WM_COPYDATA;
    switch (frame.kind) {
    case FrameKind::Post:
        // WM_COPYDATA can only be sent: its bytes live only as long as the sender waits.
        if (copy_data || !frame.payload.empty()) return;
        // Frames already read are kept even past the limit; reading stops at the next pump.
        m_mailbox->push(Message { 0, frame.number, frame.wparam, frame.lparam, {} }, false);
        return;
    case FrameKind::Send:
        if (!copy_data && !frame.payload.empty()) {
            answer(id, frame.number, 0);  // a payload only WM_COPYDATA carries: ignored
            return;
        }
        m_sent.push_back(Sent { id, std::move(frame) });
        return;
    case FrameKind::Reply: return;  // only windows answer; a sender does not
    }
}

std::optional<WindowInbox::Sent> WindowInbox::take_sent() {
    if (m_sent.empty()) return std::nullopt;
    Sent sent = std::move(m_sent.front());
    m_sent.pop_front();
    return sent;
}

void WindowInbox::answer(std::uint64_t connection, std::uint32_t number, std::uint32_t result) {
    auto it = m_peers.find(connection);
    if (it == m_peers.end()) return;  // the sender gave up
    auto reply = encode_frame(FrameKind::Reply, number, result, 0);
    // A sender waits for its answer, so there is room; one that does not read is dropped
    // rather than let it stall the window.
    ssize_t n = 0;
    do {
        n = send(it->second.fd.get(), reply.data(), reply.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
    } while (n < 0 && errno == EINTR);
    if (n != static_cast<ssize_t>(reply.size())) drop_peer(connection);
}

void WindowInbox::drop_peer(std::uint64_t id) {
    auto it = m_peers.find(id);
    if (it == m_peers.end()) return;
    epoll_ctl(m_epoll.get(), EPOLL_CTL_DEL, it->second.fd.get(), nullptr);
    m_peers.erase(it);
}

void WindowInbox::close() {
    m_sent.clear();
    m_peers.clear();
    // The socket file goes with the window's other files (WindowPublication). The epoll
    // descriptor stays open so a front end still watching it never sees a recycled number.
    m_listener.reset();
}

}  // namespace zt::platform::detail
