#pragma once
// A device window of a given class, run on a thread of its own, that keeps every message it
// receives (WM_COPYDATA bytes copied). Tests stand it in for the anchor window or a requester.
#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/windows/message.h"

namespace zt::app::testing {

struct RecordedMessage {
    uint32_t number { 0 };
    uint32_t wparam { 0 };
    uint32_t lparam { 0 };
    uint32_t data_word { 0 };
    std::vector<uint8_t> bytes;
};

class WindowRecorder {
public:
    explicit WindowRecorder(std::u16string class_name);
    ~WindowRecorder();
    WindowRecorder(const WindowRecorder&) = delete;
    WindowRecorder& operator=(const WindowRecorder&) = delete;

    // 0 when the window could not be made.
    zt::platform::WindowHandle handle() const { return m_handle; }
    std::vector<RecordedMessage> messages() const;

private:
    void run(std::u16string class_name);

    std::atomic<zt::platform::WindowHandle> m_handle { 0 };
    std::atomic<bool> m_ready { false };
    std::atomic<bool> m_stop { false };
    mutable std::mutex m_mutex;
    std::vector<RecordedMessage> m_messages;
    std::thread m_thread;
};

}  // namespace zt::app::testing
