#include "app/model/testing/window_recorder.h"

#include <poll.h>

#include "platform/windows/window.h"

namespace zt::app::testing {

WindowRecorder::WindowRecorder(std::u16string class_name) {
    m_thread = std::thread([this, name = std::move(class_name)] { run(name); });
    while (!m_ready) std::this_thread::yield();
}

WindowRecorder::~WindowRecorder() {
    m_stop = true;
    m_thread.join();
}

std::vector<RecordedMessage> WindowRecorder::messages() const {
    std::lock_guard lock(m_mutex);
    return m_messages;
}

void WindowRecorder::run(std::u16string class_name) {
    // The window belongs to the thread that makes it: made, served and withdrawn here.
    auto window = zt::platform::Window::create(class_name, u"", [this](zt::platform::Window&, const zt::platform::Message& m) {
        RecordedMessage recorded { m.number, m.wparam, m.lparam, m.copy_data.data_word,
                                   std::vector<uint8_t>(m.copy_data.bytes.begin(), m.copy_data.bytes.end()) };
        std::lock_guard lock(m_mutex);
        m_messages.push_back(std::move(recorded));
        return std::optional<uint32_t> { 1 };
    });
    if (window) m_handle = window->handle();
    m_ready = true;
    if (!window) return;
    while (!m_stop) {
        pollfd readable { window->wait_descriptor(), POLLIN, 0 };
        ::poll(&readable, 1, 20);
        while (auto message = window->next_posted()) window->dispatch(*message);
    }
}

}  // namespace zt::app::testing
