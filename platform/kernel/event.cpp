#include "platform/kernel/event.h"

#include <utility>

namespace zt::platform {
namespace {

detail::ObjectHandle::Initialise event_initialiser(ResetPolicy policy, bool initially_set) {
    return [=](std::byte* payload) {
        detail::EventCell::initialise(payload, policy, initially_set);
        return true;
    };
}

}  // namespace

std::optional<Event::Opened> Event::create_or_open(std::u16string_view name, ResetPolicy policy,
                                                   bool initially_set) {
    auto opened = detail::ObjectHandle::create_or_open(name, detail::ObjectKind::Event,
                                                       event_initialiser(policy, initially_set));
    if (!opened) return std::nullopt;
    return Opened { Event(std::move(opened->handle)), opened->already_existed };
}

std::optional<Event> Event::open(std::u16string_view name) {
    auto handle = detail::ObjectHandle::open_existing(name, detail::ObjectKind::Event);
    if (!handle) return std::nullopt;
    return Event(std::move(*handle));
}

std::optional<Event> Event::create_unnamed(ResetPolicy policy, bool initially_set) {
    auto opened = create_or_open(std::u16string_view(), policy, initially_set);
    if (!opened) return std::nullopt;
    return std::move(opened->event);
}

Event::Event(detail::ObjectHandle object)
    : m_object(std::move(object)), m_cell(m_object.payload()) {}

Event::Event(Event&& other) noexcept
    : Waitable(other),
      m_object(std::move(other.m_object)),
      m_cell(std::exchange(other.m_cell, detail::EventCell(nullptr))) {}

Event& Event::operator=(Event&& other) noexcept {
    if (this != &other) {
        m_object = std::move(other.m_object);
        m_cell = std::exchange(other.m_cell, detail::EventCell(nullptr));
    }
    return *this;
}

void Event::set() {
    if (m_cell.valid()) m_cell.set();
}

void Event::reset() {
    if (m_cell.valid()) m_cell.reset();
}

void Event::pulse() {
    if (m_cell.valid()) m_cell.pulse();
}

Event::WaitResult Event::wait(std::optional<std::chrono::milliseconds> limit) {
    Waitable* self = this;
    switch (wait_any({ &self, 1 }, limit).kind) {
        case WaitAnyResult::Kind::Signalled:
            return WaitResult::Signalled;
        case WaitAnyResult::Kind::TimedOut:
            return WaitResult::TimedOut;
        default:
            return WaitResult::Failed;
    }
}

ResetPolicy Event::policy() const {
    return m_cell.valid() ? m_cell.policy() : ResetPolicy::Manual;
}

std::uint32_t Event::waiting_now() const { return m_cell.valid() ? m_cell.waiters() : 0; }

detail::EventCell* Event::wait_cell() { return m_cell.valid() ? &m_cell : nullptr; }

}  // namespace zt::platform
