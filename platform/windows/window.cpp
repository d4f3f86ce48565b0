#include "platform/windows/window.h"

#include <unistd.h>

#include <thread>

#include "platform/kernel/module_path.h"
#include "platform/windows/local_mailbox.h"
#include "platform/windows/window_directory.h"
#include "platform/windows/window_inbox.h"

namespace zt::platform {

std::uint32_t default_window_procedure(Window& window, const Message& message) {
    if (message.number == WM_CLOSE) window.destroy();
    return 0;
}

bool thread_has_queued_messages() { return detail::any_queued_for_thread(std::this_thread::get_id()); }

Window::Window(WindowInfo info, Procedure procedure)
    : m_info(std::move(info)), m_procedure(std::move(procedure)) {}

std::unique_ptr<Window> Window::create(std::u16string_view class_name, std::u16string_view title,
                                       Procedure procedure, WindowOptions options) {
    if (class_name.size() > kMaxClassNameUnits || title.size() > kMaxTitleUnits) return nullptr;
    auto publication = detail::WindowPublication::claim();
    if (!publication) return nullptr;

    WindowInfo info;
    info.handle = publication->handle();
    info.class_name = class_name;
    info.title = title;
    info.process_id = getpid();
    info.module_path = own_module_path();
    info.visible = options.visible;
    info.rect = options.rect;
    info.z_order = detail::next_z_order(publication->folder());

    std::unique_ptr<Window> window(new Window(std::move(info), std::move(procedure)));
    window->m_mailbox = detail::make_local_mailbox(window.get());
    if (!window->m_mailbox) return nullptr;
    window->m_inbox = detail::WindowInbox::listen(publication->socket_path(), window->m_mailbox);
    window->m_publication = std::make_unique<detail::WindowPublication>(std::move(*publication));
    // The record comes last: a window is found only once its socket listens.
    if (!window->m_inbox || !window->m_publication->write_record(window->m_info)) return nullptr;
    detail::register_local_window(window->handle(), window->m_mailbox);
    return window;
}

Window::~Window() { withdraw(); }

bool Window::publish(WindowInfo changed) {
    if (m_destroyed || !m_publication->write_record(changed)) return false;
    m_info = std::move(changed);
    return true;
}

bool Window::set_title(std::u16string_view title) {
    if (title.size() > kMaxTitleUnits) return false;
    WindowInfo changed = m_info;
    changed.title = title;
    return publish(std::move(changed));
}

bool Window::set_visible(bool visible) {
    WindowInfo changed = m_info;
    changed.visible = visible;
    return publish(std::move(changed));
}

bool Window::set_rect(const Rect& rect) {
    WindowInfo changed = m_info;
    changed.rect = rect;
    return publish(std::move(changed));
}

bool Window::bring_to_front() {
    if (m_destroyed) return false;
    WindowInfo changed = m_info;
    changed.z_order = detail::next_z_order(m_publication->folder());
    return changed.z_order != 0 && publish(std::move(changed));
}

void Window::destroy() {
    if (m_destroyed || m_destroying) return;
    m_destroying = true;
    Message destroying { handle(), WM_DESTROY, 0, 0, {} };
    if (m_procedure) m_procedure(*this, destroying);
    withdraw();
}

void Window::withdraw() {
    if (m_destroyed) return;
    m_destroyed = true;
    if (m_info.handle != 0) detail::unregister_local_window(m_info.handle);
    if (m_mailbox) m_mailbox->close();
    if (m_inbox) m_inbox->close();
    if (m_publication) m_publication->withdraw();
}

int Window::wait_descriptor() const { return m_inbox ? m_inbox->wait_descriptor() : -1; }

std::optional<Message> Window::next_posted() {
    if (m_destroyed) return std::nullopt;
    m_inbox->pump();
    while (!m_destroyed) {
        auto sent = m_inbox->take_sent();
        if (!sent) break;
        const detail::Frame& frame = sent->frame;
        Message message { handle(), frame.number, frame.wparam, frame.lparam, {} };
        if (frame.number == WM_COPYDATA) message.copy_data = { frame.lparam, frame.payload };
        std::uint32_t answer = dispatch(message);
        if (!m_destroyed) m_inbox->answer(sent->connection, frame.number, answer);
    }
    if (m_destroyed) return std::nullopt;
    auto message = m_mailbox->pop();
    if (message) message->window = handle();
    return message;
}

std::uint32_t Window::dispatch(const Message& message) {
    if (m_destroyed) return 0;
    if (m_procedure) {
        if (auto answer = m_procedure(*this, message)) return *answer;
    }
    return default_window_procedure(*this, message);
}

}  // namespace zt::platform
