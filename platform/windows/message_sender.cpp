#include "platform/windows/message_sender.h"

#include <thread>

#include "platform/windows/connection_cache.h"
#include "platform/windows/local_mailbox.h"
#include "platform/windows/message_frame.h"
#include "platform/windows/socket_io.h"
#include "platform/windows/window.h"
#include "platform/windows/window_directory.h"

namespace zt::platform {
namespace {
using detail::ConnectStatus;
using detail::Deadline;
using detail::IoStatus;

constexpr std::chrono::milliseconds kPostRoomWait { 1000 };

DeliveryStatus from_connect(ConnectStatus status) {
    switch (status) {
    case ConnectStatus::Connected: return DeliveryStatus::Delivered;
    case ConnectStatus::NoListener: return DeliveryStatus::NoSuchWindow;
    case ConnectStatus::OtherUser: return DeliveryStatus::Refused;
    case ConnectStatus::TimedOut: return DeliveryStatus::TimedOut;
    case ConnectStatus::Failed: break;
    }
    return DeliveryStatus::Failed;
}

DeliveryStatus post_to_own_process(detail::LocalMailbox& mailbox, const Message& message) {
    switch (mailbox.push(message)) {
    case detail::LocalMailbox::Push::Queued: return DeliveryStatus::Delivered;
    case detail::LocalMailbox::Push::Full: return DeliveryStatus::TimedOut;
    case detail::LocalMailbox::Push::Closed: break;
    }
    return DeliveryStatus::NoSuchWindow;
}

DeliveryStatus post_through_socket(WindowHandle window, std::span<const std::uint8_t> frame) {
    Deadline deadline = Deadline::after(kPostRoomWait);
    // A cached connection may have gone stale (its window was destroyed and another one
    // may now listen under that name): one more try on a fresh connection.
    for (int attempt = 0; attempt < 2; ++attempt) {
        auto cached = detail::post_connection(window, deadline);
        if (cached.status != ConnectStatus::Connected) return from_connect(cached.status);
        auto& connection = *cached.connection;
        IoStatus io = IoStatus::Failed;
        {
            std::lock_guard lock(connection.mutex);
            io = connection.fd.valid() ? write_all(connection.fd.get(), frame, deadline) : IoStatus::Closed;
        }
        if (io == IoStatus::Done) return DeliveryStatus::Delivered;
        // After a partial write the stream is unusable; the window drops the cut frame.
        detail::forget_post_connection(window, cached.connection);
        if (io == IoStatus::TimedOut) return DeliveryStatus::TimedOut;
        if (io == IoStatus::Failed) return DeliveryStatus::Failed;
        if (!connection.reused) return DeliveryStatus::NoSuchWindow;
    }
    return DeliveryStatus::NoSuchWindow;
}

SendResult send_through_socket(WindowHandle window, std::span<const std::uint8_t> frame,
                               std::uint32_t number, const Deadline& deadline) {
    auto folder = detail::window_folder();
    if (folder.empty()) return {};
    auto connection = detail::connect_to(detail::window_socket_path(folder, window), deadline);
    if (connection.status != ConnectStatus::Connected) return { from_connect(connection.status), 0 };
    IoStatus io = write_all(connection.fd.get(), frame, deadline);
    std::uint8_t header[detail::kFrameHeaderBytes];
    if (io == IoStatus::Done) io = read_exact(connection.fd.get(), header, deadline);
    switch (io) {
    case IoStatus::Done: break;
    case IoStatus::TimedOut: return { DeliveryStatus::TimedOut, 0 };
    case IoStatus::Closed: return { DeliveryStatus::NoSuchWindow, 0 };
    case IoStatus::Failed: return { DeliveryStatus::Failed, 0 };
    }
    detail::FrameReader reader;
    reader.append(header);
    detail::Frame reply;
    if (reader.next(reply) != detail::FrameReader::Status::Frame || reply.kind != detail::FrameKind::Reply ||
        reply.number != number)
        return { DeliveryStatus::Failed, 0 };
    return { DeliveryStatus::Delivered, reply.wparam };
}

SendResult send_frame(WindowHandle window, const Message& message,
                      std::optional<std::chrono::milliseconds> limit) {
    if (window == 0) return { DeliveryStatus::NotDeliverable, 0 };
    if (auto local = detail::find_local_window(window); local && local->owner() == std::this_thread::get_id()) {
        if (local->closed()) return { DeliveryStatus::NoSuchWindow, 0 };
        return { DeliveryStatus::Delivered, local->window()->dispatch(message) };
    }
    auto frame = detail::encode_frame(detail::FrameKind::Send, message.number, message.wparam,
                                      message.lparam, message.copy_data.bytes);
    if (frame.empty()) return { DeliveryStatus::NotDeliverable, 0 };
    return send_through_socket(window, frame, message.number, Deadline::after(limit));
}

}  // namespace

DeliveryStatus post_message(WindowHandle window, std::uint32_t number, std::uint32_t wparam,
                            std::uint32_t lparam) {
    if (window == 0 || number == WM_COPYDATA) return DeliveryStatus::NotDeliverable;
    if (auto local = detail::find_local_window(window))
        return post_to_own_process(*local, Message { window, number, wparam, lparam, {} });
    return post_through_socket(window, detail::encode_frame(detail::FrameKind::Post, number, wparam, lparam));
}

SendResult send_message(WindowHandle window, std::uint32_t number, std::uint32_t wparam,
                        std::uint32_t lparam, std::optional<std::chrono::milliseconds> limit) {
    if (number == WM_COPYDATA) return { DeliveryStatus::NotDeliverable, 0 };
    return send_frame(window, Message { window, number, wparam, lparam, {} }, limit);
}

SendResult send_copy_data(WindowHandle window, WindowHandle sender, std::uint32_t data_word,
                          std::span<const std::uint8_t> bytes,
                          std::optional<std::chrono::milliseconds> limit) {
    if (bytes.size() > kMaxCopyDataBytes) return { DeliveryStatus::NotDeliverable, 0 };
    Message message { window, WM_COPYDATA, sender, data_word, { data_word, bytes } };
    return send_frame(window, message, limit);
}

const char* delivery_status_name(DeliveryStatus status) {
    switch (status) {
    case DeliveryStatus::Delivered: return "delivered";
    case DeliveryStatus::NoSuchWindow: return "no such window";
    case DeliveryStatus::NotDeliverable: return "message cannot be delivered this way";
    case DeliveryStatus::Refused: return "refused: the window belongs to another user";
    case DeliveryStatus::TimedOut: return "timed out";
    case DeliveryStatus::Failed: break;
    }
    return "failed";
}

}  // namespace zt::platform
