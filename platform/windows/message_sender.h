#pragma once
// Posting and sending messages to windows of any process of the device.
//
// Guarantees:
//  - Posts from one thread to one window arrive in the order they were posted (also across
//    processes: each process keeps one connection per target window).
//  - post_message returns once the message is queued for the window; it waits for room only
//    when the window's queue is full (its owner not reading), and gives up after one second.
//  - send_message and send_copy_data wait for the window's answer, at most `limit` (none: no
//    limit). The window answers sent messages before it returns posted ones. While waiting, the
//    calling thread's own windows are not served: two windows sending to each other should use
//    a limit.
//  - Sent from the thread that owns the target window, the procedure runs directly, as on the
//    handheld.
//  - WM_COPYDATA can only be sent (its bytes belong to the sender while it waits); posting it,
//    or sending it through send_message, is refused. The payload is at most kMaxCopyDataBytes.
//  - A window owned by another user is never written to.
//  - Safe from any thread. A process forked without exec starts with no connections of its
//    parent and treats its parent's windows as another process's.
#include <chrono>
#include <cstdint>
#include <optional>
#include <span>

#include "platform/windows/message.h"
#include "platform/windows/window_info.h"

namespace zt::platform {

enum class DeliveryStatus {
    Delivered,
    NoSuchWindow,    // none with that handle, or it went away before answering
    NotDeliverable,  // a message that cannot travel this way (see above), or handle 0
    Refused,         // the window belongs to another user
    TimedOut,        // no answer in time, or the window's queue stayed full
    Failed,          // the device has no runtime folder, or the system refused
};

DeliveryStatus post_message(WindowHandle window, std::uint32_t number, std::uint32_t wparam = 0,
                            std::uint32_t lparam = 0);

struct SendResult {
    DeliveryStatus status { DeliveryStatus::Failed };
    std::uint32_t answer { 0 };  // the procedure's answer when Delivered
};

SendResult send_message(WindowHandle window, std::uint32_t number, std::uint32_t wparam,
                        std::uint32_t lparam, std::optional<std::chrono::milliseconds> limit);

// WM_COPYDATA with wparam = `sender` (the sending window, or 0) and the data word and bytes
// of its COPYDATASTRUCT.
SendResult send_copy_data(WindowHandle window, WindowHandle sender, std::uint32_t data_word,
                          std::span<const std::uint8_t> bytes,
                          std::optional<std::chrono::milliseconds> limit);

const char* delivery_status_name(DeliveryStatus status);

}  // namespace zt::platform
