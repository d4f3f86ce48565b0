#pragma once
// Events: named ones shared by every process of one device, and unnamed ones private to a
// process (and to children it forks).
//
// Guarantees:
//  - set() makes the event signalled. A manual-reset event releases every waiter and stays
//    set until reset(); an automatic-reset event releases exactly one waiter and clears
//    itself in doing so (if nobody waits it stays set for the next one).
//  - pulse() releases the waiters present at that moment — all of them on a manual-reset
//    event, one of them (if any) on an automatic-reset event — and leaves the event clear.
//    A waiter arriving after the pulse is not released by it.
//  - create_or_open reports already_existed when some handle to that name is open right now
//    in any process of the device; when every holder has closed or died the name is free and
//    the next create starts a fresh event with the given policy and state. Opening an
//    existing event keeps its policy and state and ignores the arguments.
//  - Names are compared exactly (case matters). Mutexes and events share one namespace: a
//    name held by a mutex cannot be opened as an event. An empty name makes an unnamed event.
//  - Objects of one device root are invisible to another root.
//
// Moved-from events do nothing; their waits fail.
#include <chrono>
#include <cstdint>
#include <optional>
#include <string_view>

#include "platform/kernel/event_cell.h"
#include "platform/kernel/object_handle.h"
#include "platform/kernel/reset_policy.h"
#include "platform/kernel/waitable.h"

namespace zt::platform {

class Event final : public Waitable {
public:
    struct Opened;
    static std::optional<Opened> create_or_open(std::u16string_view name, ResetPolicy policy,
                                                bool initially_set);
    // Only an event some process has open now; nullopt otherwise (or for another kind).
    static std::optional<Event> open(std::u16string_view name);
    static std::optional<Event> create_unnamed(ResetPolicy policy, bool initially_set);

    void set();
    void reset();
    void pulse();

    enum class WaitResult { Signalled, TimedOut, Failed };
    WaitResult wait(std::optional<std::chrono::milliseconds> limit = std::nullopt);

    ResetPolicy policy() const;
    // How many threads of the device wait on it now. A snapshot, for diagnostics and tests.
    std::uint32_t waiting_now() const;

    Event(Event&& other) noexcept;
    Event& operator=(Event&& other) noexcept;
    Event(const Event&) = delete;
    Event& operator=(const Event&) = delete;
    ~Event() override = default;

private:
    explicit Event(detail::ObjectHandle object);
    detail::EventCell* wait_cell() override;

    detail::ObjectHandle m_object;
    detail::EventCell m_cell { nullptr };  // a view into m_object's page
};

struct Event::Opened {
    Event event;
    bool already_existed { false };
};

}  // namespace zt::platform
